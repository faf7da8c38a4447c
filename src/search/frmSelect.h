#pragma once

// The record chooser: the values of one field of a query in a list, found by a part of the value,
// moved through, and one picked.

#include "search/ChooserDialog.h"
#include "search/DataBoundList.h"

#include <array>

class QGroupBox;

class frmSelect : public search::ChooserDialog
{
    Q_OBJECT
public:
    explicit frmSelect(QWidget *parent = nullptr);
    ~frmSelect() override;

    bool NoData() const { return m_noData; }

    // Lists the values of strField over the rows of the query strSQL in database strDbName; the
    // dialog's title and the list's name for screen readers say what is chosen (strNoun).
    void ListValues(const QString &strDbName, const QString &strSQL, const QString &strField, const QString &strNoun);

    void Form_Load();
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void cmdFind_Click(int Index) override;
    void txtSearch_Change() override;
    void cmdSelect_Click() override;

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class SearchWindowTest;
    friend class SearchDialogTest;

    // --- controls ---------------------------------------------------------------------------------
    DataBoundList *dblSelect = nullptr;
    enum Frame : int { MoveFrame = 0, FindFrame = 1, ChooseFrame = 2, Frames = 3 };
    std::array<QGroupBox *, Frames> framSelect{};

    QString Criteria() const;

    bool m_noData = false;
};
