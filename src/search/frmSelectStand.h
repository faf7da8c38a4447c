#pragma once

// The standard chooser: the standards a search can reach, with the description, revision date and
// product forms of the one at hand.

#include <QDialog>
#include <QStringList>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace db {
class DataControl;
}

class frmSelectStand : public QDialog
{
    Q_OBJECT
public:
    explicit frmSelectStand(QWidget *parent = nullptr);
    ~frmSelectStand() override;

    db::DataControl *dtaSelect = nullptr;
    db::DataControl *dtaProdForms = nullptr;
    QListWidget *lstSelect = nullptr;
    QPlainTextEdit *txtDescription = nullptr;
    QLineEdit *txtRevisionDate = nullptr;
    QPlainTextEdit *txtProductForms = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblRevisionDate = nullptr;
    QLabel *lblProductForms = nullptr;
    std::array<QGroupBox *, 4> framSelect{};
    std::array<QPushButton *, 4> cmdFind{};
    QLineEdit *txtSearch = nullptr;
    std::array<QPushButton *, 4> cmdSelNav{};
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

    void GetStandardList();
    QStringList StandardArray() const { return m_standards; }

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void dtaSelect_Reposition();
    void lstSelect_Click();
    void lstSelect_DblClick();
    void txtSearch_Change();
    void cmdFind_Click(int Index);
    void cmdSelNav_Click(int Index);
    void cmdSelect_Click();
    void cmdCancel_Click();

    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowProductForms();
    void SyncListToRecord();
    void ShowBoundFields();
    QString ListText() const;

    QStringList m_standards;
    bool m_activated = false;
    bool m_unloaded = false;
    bool m_resizing = false;
    double m_loadWidth = 0;
    double m_loadHeight = 0;
    std::array<double, 4> m_frameLeft{};
    std::array<double, 4> m_frameTop{};
    double m_listWidth = 0;
    double m_listHeight = 0;
};
