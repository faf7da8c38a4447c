#pragma once

// The chart of the current material's window, copied into the report.

#include "controls/Report.h"

class actRepGraph : public controls::Report
{
public:
    actRepGraph();
    ~actRepGraph() override;

    void ActiveReport_ReportStart();

protected:
    void reportStart() override { ActiveReport_ReportStart(); }
};
