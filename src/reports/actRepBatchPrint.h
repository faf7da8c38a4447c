#pragma once

// All selected materials in one document: one material report per material, each on new pages,
// under a common page footer.

#include "controls/Report.h"
#include "platform/Collection.h"

#include <memory>

class Material;
using MaterialPtr = std::shared_ptr<Material>;

class actRepBatchPrint : public controls::Report
{
public:
    actRepBatchPrint();
    ~actRepBatchPrint() override;

    // Materials whose reports have not started yet, in selection order; each material report takes
    // item 1 and removes it. One list for the program, as the batch report has a single instance.
    static platform::Collection<MaterialPtr> &colMaterialsBatch();

    void ActiveReport_ReportStart();
    void ActiveReport_Resize();

    void previewResize() override { ActiveReport_Resize(); }

protected:
    void reportStart() override { ActiveReport_ReportStart(); }
};
