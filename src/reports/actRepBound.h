#pragma once

// Prints one per-temperature table of the material database (strength at elevated temperature,
// impact energy, physical properties) with its title and notes. The material report puts the table
// key on the material's bound print queue; each instance takes the first key when it starts.

#include "controls/Report.h"

#include <QImage>
#include <QString>
#include <memory>

class Material;
using MaterialPtr = std::shared_ptr<Material>;

class actRepBound : public controls::Report
{
public:
    actRepBound();
    ~actRepBound() override;

    // The report that holds this one as a subreport; with an empty impact-energy mask its control
    // "subRepImpEnergy" is hidden there. Optional: without it only this report's own sections hide.
    controls::Report *ParentReport = nullptr;

    // The key taken from the queue at the start (empty before).
    QString TableKey() const { return m_strKey; }

    void ActiveReport_ReportStart();

    // Heading pictures of the physical tables: 0 ModElast, 1 ThermExp, 2 ThermCond, 3 SpecThermCap,
    // 4 SpecElecRes, 5 SpecThermCap difference, 6 ThermExp difference.
    static QImage HeadingPicture(int index);
    // The same heading as text: symbol, subscript as plain text, unit.
    static QString HeadingText(int index);

protected:
    void reportStart() override { ActiveReport_ReportStart(); }

private:
    void BuildLayout();
    void SetPhysPropLayout();
    void SetImpEnergyLayout();
    void SetThicknessColumns();
    void AddThicknessColumn(qint16 n, qint16 t, qint16 tPrev);

    QString m_strKey;
    MaterialPtr m_mat;
    controls::ReportField *m_lastHeading = nullptr;
    controls::ReportField *m_lastDetail = nullptr;
};
