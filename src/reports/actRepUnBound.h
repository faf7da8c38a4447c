#pragma once

// Prints one table of the material window's unbound grid (chemical composition, mechanical or creep
// properties) from the copy the material keeps, with its title, notes and, for a table wider than
// the page, a continuation block below it.

#include "controls/Report.h"
#include "platform/XArray.h"

#include <QString>
#include <memory>

class Material;
using MaterialPtr = std::shared_ptr<Material>;

class actRepUnBound : public controls::Report
{
public:
    actRepUnBound();
    ~actRepUnBound() override;

    void ActiveReport_DataInitialize();
    void ActiveReport_FetchData(bool &eof);

    // After the start: the key taken from the queue and the first column of the continuation block
    // (0 when the table fits).
    QString tableKey() const { return m_strKey; }
    int splitColumn() const { return m_iSplitCol; }

protected:
    void dataInitialize() override { ActiveReport_DataInitialize(); }
    void fetchData(bool &eof) override { ActiveReport_FetchData(eof); }

private:
    void AddColumnCaption(const QString &strKey, int c);
    void AddDetailField(const QString &strKey, int c);
    void AddExtendedRow(int c);
    void StyleAsCaption(controls::ReportTextControl *ctl);
    bool IsTableTooWide();
    bool IsEmptyCreepCol(int c) const;
    double ColWidth(int c) const;

    QString m_strKey;
    MaterialPtr m_mat;
    platform::VbArray<float> m_colSize;
    platform::XArray m_data;
    int m_lastCol = -1;
    int m_curRow = 0;
    platform::VbArray<bool> m_emptyCreepCols;
    int m_iSplitCol = 0;

    // AddColumnCaption
    controls::ReportTextControl *m_lastCaption = nullptr;
    bool m_captionPlaced = false;
    // AddDetailField
    controls::ReportField *m_lastField = nullptr;
    controls::ReportField *m_lastExtMax = nullptr;
    bool m_fieldPlaced = false;
    // AddExtendedRow
    controls::ReportTextControl *m_lastExtCaption = nullptr;
    controls::ReportField *m_lastCell = nullptr;
};
