#pragma once

// "Select Data...": which tables of the current material go into its report and, when saving, the
// file format; then the report is exported or previewed.

#include "core/TableCatalogue.h"
#include "reports/ExportFormats.h"

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Material;
using MaterialPtr = std::shared_ptr<Material>;

class frmSelData : public QDialog
{
    Q_OBJECT
public:
    explicit frmSelData(QWidget *parent = nullptr);
    ~frmSelData() override;

    MaterialPtr mMaterial;

    void Form_Load();
    // Readies the dialog for saving (a Save... button and the file formats) or for printing.
    void SetSaving(bool save);
    bool Saving() const;
    void chkData_Click(int Index);
    void cmdSavePrint_Click();
    void cmdCancel_Click();

    // True once a button has closed the dialog.
    bool Unloaded() const { return m_unloaded; }

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class tst_reports_main;

    // --- controls ---------------------------------------------------------------------------------
    std::array<QCheckBox *, catalogue::TableCount> chkData{};
    QGroupBox *framSelData = nullptr;
    QLabel *lblSelData = nullptr;
    QGroupBox *framSave = nullptr;
    exportformat::Options optFormat{};
    QPushButton *cmdSavePrint = nullptr;
    QPushButton *cmdCancel = nullptr;

    void DisableEmptyTables();
    void SetTabOrder();
    void Unload();

    bool m_unloaded = false;
};
