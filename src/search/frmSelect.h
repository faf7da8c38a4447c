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

    DataBoundList *dblSelect = nullptr;
    std::array<QGroupBox *, 3> framSelect{};

    bool NoData() const { return m_noData; }

    void Form_Load();
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void cmdFind_Click(int Index) override;
    void txtSearch_Change() override;
    void cmdSelect_Click() override;

private:
    QString Criteria() const;

    bool m_noData = false;
};
