#pragma once

// Prints the design values of the current material's window: the design temperature, the table of
// interpolated values (blocks of heading, value and spacer rows) and the key to the signs. A table
// too wide for the page prints its remaining columns in a continuation block below.

#include "controls/Report.h"
#include "platform/XArray.h"

#include <QString>
#include <QVector>
#include <memory>

class Material;
using MaterialPtr = std::shared_ptr<Material>;

class actRepDesign : public controls::Report
{
public:
    actRepDesign();
    ~actRepDesign() override;

    void ActiveReport_DataInitialize();
    void ActiveReport_FetchData(bool &EOF_);
    void Detail_Format();

    bool IsSplit() const { return m_blnSplit; }
    qint16 SplitColumn() const { return m_iSplitCol; }

protected:
    void dataInitialize() override { ActiveReport_DataInitialize(); }
    void fetchData(bool &eof) override { ActiveReport_FetchData(eof); }
    void formatSection(controls::ReportSection &section) override;

private:
    void BuildLayout();
    void AddDetailField(qint16 c);
    bool FindSplitColumn();
    // The first detail column whose right edge passes the printable width, -1 when all fit.
    qint16 DetailColumnPastEdge();
    void MarkExtendedRows();
    void AddExtendedRowLabels();
    double PlaceExtendedLabels(double y, int band);
    void AddExtendedColumn(qint16 c);

    enum class RowKind { Heading, Value, Spacer };
    static RowKind KindOf(int r) { return RowKind((r - 1) % 3); }

    MaterialPtr m_mat;
    platform::XArray m_xDesign;
    qint16 m_iLastCol = 0;
    qint16 m_iRow = 1;
    bool m_blnSplit = false;
    qint16 m_iSplitCol = 0;
    platform::VbArray<bool> m_blnRowFlags;
    qint16 m_iFirstFlagged = 0;
    bool m_blnCreep = false;
    platform::VbArray<float> m_sCreepColSize;
    platform::VbArray<bool> m_blnEmptyCreepCols;
    controls::ReportField *m_lastDetail = nullptr;
    controls::ReportField *m_lastExt = nullptr;
    bool m_blnExtStarted = false;
    int m_iCreepCol = 0;
    // The continuation block's current band: its label boxes, column widths, and the lowest box.
    controls::ReportField *m_firstExtLabel = nullptr;
    QVector<double> m_extBandWidths;
    double m_extBottom = 0;
    int m_extBands = 0;
};
