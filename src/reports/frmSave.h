#pragma once

// "Save Graph / Design Values...": the file format for saving the chart or design-values report.

#include "reports/ExportFormats.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

class frmSave : public QDialog
{
    Q_OBJECT
public:
    explicit frmSave(QWidget *parent = nullptr);
    ~frmSave() override;

    void Form_Load();
    enum SaveButtons : int { SaveButton = 0, CancelButton = 1 };
    void cmdSave_Click(int Index);
    void Form_Unload();

    bool Unloaded() const { return m_unloaded; }

protected:
    // The close box unloads the dialog like its Cancel button's unload.
    void reject() override;

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class tst_reports_main;

    // --- controls ---------------------------------------------------------------------------------
    std::array<QPushButton *, 2> cmdSave{}; // by SaveButtons
    QGroupBox *framSave = nullptr;
    exportformat::Options optFormat{};

    void Unload();

    bool m_unloaded = false;
};
