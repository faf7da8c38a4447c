#pragma once

// The standard chooser: the standards a search can reach, with the description, revision date and
// product forms of the one at hand.

#include "search/ChooserDialog.h"

#include <QStringList>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

class frmSelectStand : public search::ChooserDialog
{
    Q_OBJECT
public:
    explicit frmSelectStand(QWidget *parent = nullptr);
    ~frmSelectStand() override;

    // Lists the standards of the query strSQL in database strDbName, whose product forms come from
    // the same database.
    void ListStandards(const QString &strDbName, const QString &strSQL);
    void GetStandardList();
    QStringList StandardArray() const { return m_standards; }

    void Form_Load();
    void Form_Activate() override;
    void Form_Unload() override;
    void dtaSelect_Reposition();
    void lstSelect_Click();
    void lstSelect_DblClick();
    void txtSearch_Change() override;
    void cmdFind_Click(int Index) override;
    void cmdSelNav_Click(int Index) override;
    void cmdSelect_Click() override;

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class SearchWindowTest;
    friend class SearchDialogTest;

    // --- controls ---------------------------------------------------------------------------------
    db::DataControl *dtaProdForms = nullptr;
    QListWidget *lstSelect = nullptr;
    QPlainTextEdit *txtDescription = nullptr;
    QLineEdit *txtRevisionDate = nullptr;
    QPlainTextEdit *txtProductForms = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblRevisionDate = nullptr;
    QLabel *lblProductForms = nullptr;
    enum Frame : int { DescriptionFrame = 0, ChooseFrame = 1, FindFrame = 2, MoveFrame = 3, Frames = 4 };
    std::array<QGroupBox *, Frames> framSelect{};

    void ShowProductForms();
    void SyncListToRecord();
    void ShowBoundFields();
    QString ListText() const;

    QStringList m_standards;
};
