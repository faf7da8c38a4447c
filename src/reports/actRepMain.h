#pragma once

// The report of one material: its identity and standard, then one section per chosen table, each
// holding the subreport that prints it, the additional information and a page footer. The same
// layout prints only the material's chart (report type 1) or its design values (type 2).

#include "controls/Report.h"
#include "reports/ExportFormats.h"

#include <QString>
#include <memory>

class Material;
using MaterialPtr = std::shared_ptr<Material>;

class actRepMain : public controls::Report
{
public:
    actRepMain();
    ~actRepMain() override;

    // The single default instance the dialogs and the material window use. After it has unloaded
    // itself (end of a save run, closed preview) the next call gives a fresh one.
    static actRepMain &defaultInstance();
    // The default instance unloads: the next defaultInstance() starts with its members reset.
    static void unloadDefault();
    // Marks this instance as unloaded; the default instance is replaced on its next use.
    void unload();
    bool isUnloaded() const { return m_unloaded; }

    // Public members, in slot order.
    bool blnfrmChart = false;
    exportformat::Type iExpFileType = exportformat::Type::Pdf;
    bool blnSave = false;
    MaterialPtr mMat;

    // After a run that failed: the keys its subreports did not take leave the material's print
    // queues, so that the next report of that material does not print the wrong tables, and the
    // default instance unloads.
    static void AbandonRun(actRepMain &report);
    // The default instance saved as a file of the export type (from the chart window's buttons when
    // fromChart), or shown in the preview and then unloaded. A failure abandons the run and is shown;
    // true when the report ran.
    static bool SaveDefault(exportformat::Type exportType, bool fromChart = false);
    static bool PreviewDefault();

    // Report events.
    void ActiveReport_ReportStart();
    void ActiveReport_ReportEnd();
    void ActiveReport_Resize();

    void previewResize() override { ActiveReport_Resize(); }

protected:
    void reportStart() override { ActiveReport_ReportStart(); }
    void reportEnd() override { ActiveReport_ReportEnd(); }

private:
    void BuildLayout();
    void BuildReportHeader();
    void BuildTableSections();
    void BuildPageFooter();
    void SetupTableSections();
    void AddElevatedSubReport(const QString &strKey);
    void AddPhysPropSubReport(const QString &strKey);
    template <typename T>
    std::shared_ptr<T> AttachNew(const QString &strSection, const QString &strControl);

    int m_elevatedSlot = 0;
    int m_physPropSlot = 0;
    bool m_unloaded = false;
};
