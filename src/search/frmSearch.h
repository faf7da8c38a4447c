#pragma once

// The window in which the user finds materials and builds the selection. One instance, shown at
// start-up, hidden (never closed) while materials are open.

#include "platform/OleColor.h"
#include "search/SearchQuery.h"
#include "search/modDBaseChooser.h"

#include <QDate>
#include <QString>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QPushButton;
class QToolButton;
class ProgramWindow;
class DropImage;

namespace controls {
class DataGrid;
enum class GridArea;
} // namespace controls
namespace db {
class DataControl;
class Recordset;
} // namespace db

class frmSearch : public QWidget
{
    Q_OBJECT
public:
    // The one search window (nullptr before Load and after it has been unloaded).
    static frmSearch *instance();
    // Creates the window inside the main window's MDI area and runs its load. A second call
    // returns the existing window.
    static frmSearch *Load(ProgramWindow *mdi);

    ~frmSearch() override;

    // The MDI frame around the window.
    QMdiSubWindow *subWindow() const { return m_subWindow; }

    // The text of pick button Index (0 to 6): its tool tip and its name for screen readers.
    static QString PickButtonText(int Index);
    // Sets every tool tip of the window, or empties every one.
    void ApplyToolTips(bool on);
    // The colour scheme: the light search boxes and alternating grid rows while on, white while off.
    void ApplyColours(bool on);

    // The newest revision date of the standards; null when the table is empty.
    QDate LastUpdated() const { return m_lastUpdated; }

    // --- selection ------------------------------------------------------------------------------
    void RefreshSelected(QString strOrder);
    void ShowSelections();

    // --- event handlers -------------------------------------------------------------------------
    void Form_Load();
    void Form_Resize();
    // Cancel is set for the window's own close command (unload mode 0).
    void Form_QueryUnload(bool &Cancel, int UnloadMode);
    void Form_Unload();
    void cmbChooseStd_Click();
    void imgIcon_Click();
    void cmdShowPmaIndex_Click();

    void BuildSearchQuery(const QString &strOrder);
    void cmdSelect_Click(int Index);
    void chkSearch_Click(int Index);
    void dtaMaterials_Reposition();
    void txtSearch_Change();
    void chkListAll_Click();
    // KeyAscii 0 refuses the key; a changed value is typed instead.
    void txtSearch_KeyPress(int Index, int &KeyAscii);

    void cmdSelectMat_Click();
    void imgFolder_DragDrop(const QString &Source);
    // The selection buttons: open the selected materials, clear the selection, remove one.
    enum Selections : int { ShowSelected = 0, ClearSelected = 1, RemoveSelected = 2 };
    void cmdSelections_Click(int Index);
    void imgBin_DragDrop(const QString &Source);
    void cmdBatch_Click();

    void tdbMaterials_HeadClick(int ColIndex);
    void tdbMaterials_FootClick(int ColIndex);
    void tdbMaterials_FetchCellTips(int ColIndex, int RowIndex, QString &CellTip);
    void tdbMaterials_ColResize(int ColIndex);
    void tdbMaterials_DragCell(int RowBookmark);
    void tdbMaterials_DragDrop(const QString &Source);
    void tdbMaterials_DblClick();
    void tdbMaterials_KeyDown(int KeyCode);
    void tdbSelected_HeadClick(int ColIndex);
    void tdbSelected_ColResize(int ColIndex);
    void tdbSelected_DragCell(int RowBookmark);
    void tdbSelected_DragDrop(const QString &Source);
    void tdbSelected_DblClick();
    void txtSearch_KeyDown(int KeyCode);
    void cmdTabNav_Click(int Index);

    // --- state read by the tests and the main window ---------------------------------------------
    QString ChosenStandard() const { return m_chosenStandard; }
    QString WhereClause() const { return m_where; }
    // Field and caption of the search-field table (0..9).
    QString SearchField(int i) const;
    QString SearchCaption(int i) const;
    QStringList StandardFamilies() const { return m_families; }

    // The bin shows the full picture once something was removed.
    bool BinIsFull() const { return m_binFull; }

private:
    // The standards in the order the window lists them; the queries keep them while this is the
    // source.
    static constexpr char StandardsSource[] = "select * from standard order by standard";

    // Tests drive the window through its controls, as a user would.
    friend class SearchWindowTest;
    friend class SearchSelectionTest;
    friend class SearchDialogTest;
    friend class tst_core_commands;
    friend class tst_reliability;

    // --- controls ----------------------------------------------------------------------------------
    QComboBox *cmbChooseStd = nullptr;
    std::array<QLineEdit *, SearchQuery::BoxCount> txtSearch{};
    std::array<QPushButton *, SearchQuery::BoxCount> cmdSelect{};
    std::array<QCheckBox *, SearchQuery::FieldBoxes> chkSearch{};
    QCheckBox *chkListAll = nullptr;
    QLabel *lblStdInfo = nullptr;
    std::array<QFrame *, 6> lblBack{};
    QLabel *lblSearch = nullptr;
    QLabel *lblProdForm = nullptr;
    QLabel *lblMatCountCaption = nullptr;
    QLabel *lblMatCount = nullptr;
    QLabel *lblSelCount = nullptr;
    controls::DataGrid *tdbMaterials = nullptr;
    controls::DataGrid *tdbSelected = nullptr;
    QPushButton *cmdSelectMat = nullptr;
    std::array<QPushButton *, 3> cmdSelections{};
    // The batch print button under the search boxes, and its place beside the navigation at 800 by 600.
    enum BatchButton : int { BatchBelowSearch = 0, BatchBesideNavigation = 1 };
    std::array<QPushButton *, 2> cmdBatch{};
    DropImage *imgFolder = nullptr;
    DropImage *imgBin = nullptr;
    QLabel *imgFullBin = nullptr;
    // The navigation buttons of the result grid, then those of the selection.
    std::array<QToolButton *, 2 * modDBase::NavigationButtons> cmdTabNav{};
    QPushButton *cmdShowPmaIndex = nullptr;
    QLabel *imgIcon = nullptr;
    QWidget *framSide = nullptr;
    QWidget *framSearch = nullptr;
    QWidget *framMatTable = nullptr;
    QWidget *framTabNav = nullptr;
    QWidget *framSelTable = nullptr;
    QWidget *framSelTabNav = nullptr;

    db::DataControl *dtaMaterials = nullptr;
    db::DataControl *dtaStandard = nullptr;
    db::DataControl *dtaSelected = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit frmSearch(QWidget *parent = nullptr);
    friend void Layout800x600(frmSearch &frm);

    void CreateControls();
    void CreateGrids();
    void LayoutNormal();
    void InitSearchFields();
    void BindDataControls();
    void SetTabOrder();
    void SetMaterialColumnsVisible(bool blnVisible);
    void EnableSearchInputs(bool blnEnabled);
    void ShowStandardInfo(bool blnShow);
    void ReadNewestRevisionDate(db::Recordset &rs);
    void SetBoxColor(int Index, platform::OleColor color);
    void SetFamilyIndex(int index);
    void RememberSearch();
    void ShowMatCount();
    void SetSelCount();
    void ShowFullBin();
    void OpenSelectedMaterials();
    bool ResultHasCurrentRow() const;

    QMdiSubWindow *m_subWindow = nullptr;
    QDate m_lastUpdated;
    QString m_chosenStandard;
    QString m_where;
    SearchQuery::Fields m_fields;
    SearchQuery::Fields m_captions;
    QStringList m_families;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_binFull = false;
    bool m_inResize = false;
    bool m_smallLayout = false;
};

// Lays the search window out for an 800 by 600 screen.
void Layout800x600(frmSearch &frm);
