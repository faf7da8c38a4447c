#pragma once

// The about box: the program's title, version, legal notice, contact and the date the database
// was last updated. Opens the agreement viewer.

#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Creates the about box, loads it and shows it modally.
    static void ShowModal(QWidget *owner);

    // The contact text of the about box.
    static QString ContactText();

    void Form_Load();
    void cmdAgreement_Click();
    void cmdOK_Click();

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class tst_help;

    // --- controls ---------------------------------------------------------------------------------
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCopyright = nullptr;
    QLabel *lblLastUpdated = nullptr;
    QLabel *lblDescription = nullptr;
    QPlainTextEdit *txtContact = nullptr;
    QGroupBox *framContact = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *imgIcon = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdAgreement = nullptr;
    QPushButton *cmdOK = nullptr;
};
