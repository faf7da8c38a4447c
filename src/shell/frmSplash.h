#pragma once

// The start-up window: prepares the data folder, shows the product and hands over to the main window.

#include <QWidget>

class QGroupBox;
class QLabel;
class QTimer;

class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    void Form_Load();
    // Loads the main window and unloads the splash; runs once, whichever event comes first.
    void Frame1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // --- controls ---------------------------------------------------------------------------------
    QGroupBox *Frame1 = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblPlatform = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCopyright = nullptr;
    QLabel *lblCompany = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblPress = nullptr;
    QLabel *lblBack = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *imgLogos = nullptr;
    QLabel *imgVelkor = nullptr;
    QTimer *Timer1 = nullptr;

    void Timer1_Timer();
    bool m_closing = false;
};
