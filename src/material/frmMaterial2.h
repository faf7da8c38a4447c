#pragma once

// The window of one material: its header, one of its tables at a time in the work area, the notes
// pane, the no-data note, charts and design values. Created hidden by the search window, handed its
// material with SetMaterial, switched between tables by the main window with ShowTable.

#include "core/TableCatalogue.h"
#include "material/Material.h"
#include "platform/ErrorBoundary.h"
#include "platform/XArray.h"

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace controls {
class Chart;
class DataGrid;
} // namespace controls
namespace db {
class DataControl;
class Recordset;
} // namespace db

class frmMaterial2 : public QWidget
{
    Q_OBJECT
public:
    explicit frmMaterial2(QWidget *parent = nullptr);
    ~frmMaterial2() override;

    // --- public members other windows reach by name ------------------------------------------
    MaterialPtr mMat;
    platform::XArray xDesignDB;
    QString strCurrentTable;
    // What the material report prints for this window: the tables chosen, its chart, or its design
    // values.
    enum class ReportType : qint16 { Full = 0, Chart = 1, DesignValues = 2 };
    ReportType iReportType = ReportType::Full;

    // The print and save buttons: the chart's (the first ChartButtons), then the design values'.
    enum PrintSaveButton : int {
        SaveChart = 0,
        PrintChart = 1,
        EnlargeChart = 2,
        PrintDesignValues = 3,
        SaveDesignValues = 4,
    };
    static constexpr int ChartButtons = 3;
    static constexpr int PrintSaveButtons = 5;

    void SetMaterial(const MaterialPtr &mMaterial);
    // The key is taken by value: a caller sending one key to every window keeps it unchanged.
    void ShowTable(QString strTable);
    void CheckTablesForRecords();
    // Per creep column 0..C-1: True for a column removed as empty; unallocated before the first
    // creep table with data.
    platform::VbArray<bool> EmptyCreepCols() const;

    // The chart as shown, which the chart window and the chart report copy (reading its columns
    // moves its current column).
    controls::Chart *ShownChart() const { return MSChart1; }
    // The design temperature as typed.
    QString DesignTemperatureText() const;

    // The notes button's imgUpDown pictures: notes closed, open, or closed and blinking.
    enum NotesPicture : int { NotesClosed = 0, NotesOpen = 1, NotesBlinking = 2 };
    // Which imgUpDown picture the notes button shows.
    int NotesButtonPicture() const { return m_notesPicture; }
    // Sets the window's tool tips, or empties them while the main window's tips are off.
    void ApplyToolTips();
    // The colour scheme: the light boxes and alternating grid rows while on, plain white while off.
    void ApplyColours(bool on);

private:
    // Tests drive the window through its controls, as a user would.
    friend class tst_material;
    friend class tst_material_charts;
    friend class tst_core_commands;
    friend class tst_reports_demo;
    friend class tst_reports_main;

    // --- controls (names as the window's own) ------------------------------------------------
    QGroupBox *framStand = nullptr;
    QGroupBox *framMain = nullptr;
    // The header boxes, by what they show.
    enum HeaderBox {
        StandardBox = 0,
        StandardDescriptionBox = 1,
        NameBox = 2,
        DescriptionBox = 3,
        NumberBox = 4,
        MaterialGroupBox = 5,
        RevisionDateBox = 6,
        ProductFormsBox = 7,
        StandardRevisionDateBox = 8,
    };
    std::array<QPlainTextEdit *, 9> txtMainData{};
    std::array<QLabel *, 9> lblMainData{};
    QLabel *lblMain = nullptr;
    // The table's picture: beside the options, in the header's frame, in the blank frame.
    enum TablePicture : int { OptionsFramePicture = 0, HeaderFramePicture = 1, BlankFramePicture = 2 };
    std::array<QLabel *, 3> ImgPic{};

    controls::DataGrid *tdbTable = nullptr;
    controls::DataGrid *tdbBoundTable = nullptr;

    QGroupBox *framDesign = nullptr;
    QLabel *lblDesignTemp = nullptr;
    QLineEdit *txtDesignTemp = nullptr;
    controls::DataGrid *tdbDesign = nullptr;
    QLabel *lblKey = nullptr;

    QGroupBox *framNotes = nullptr;
    QPlainTextEdit *txtNotes = nullptr;
    QLabel *lblNotes = nullptr;
    QPushButton *cmdShowNotes = nullptr;
    std::array<QPixmap, 3> imgUpDown;
    QTimer *TimerFlash = nullptr;

    QGroupBox *framNoData = nullptr;
    QPlainTextEdit *txtNoData = nullptr;

    QGroupBox *framOptions = nullptr;
    QFrame *framBlank = nullptr;
    QGroupBox *framMechOpt = nullptr;
    std::array<QRadioButton *, catalogue::ElevatedTableCount> optMechProp{};
    QLabel *lblElevated = nullptr;
    QLabel *lblFullForm = nullptr;

    QGroupBox *framChart = nullptr;
    controls::Chart *MSChart1 = nullptr;
    QGroupBox *framAxisCols = nullptr;
    QComboBox *cboColumnList = nullptr;
    enum Axis : int { XAxis = 0, YAxis = 1 };
    std::array<QLabel *, 2> lblAxis{};
    QLabel *lblXAxis = nullptr;
    QPushButton *CommandShowGraph = nullptr;
    QPushButton *CommandShowTable = nullptr;
    QPushButton *cmdUnBoundGraph = nullptr;
    QPushButton *cmdUnBoundTable = nullptr;
    std::array<QPushButton *, PrintSaveButtons> cmdPrintSave{};

    db::DataControl *dtaTable = nullptr;
    db::DataControl *dtaOther = nullptr;
    db::DataControl *dtaNotes = nullptr;
    db::DataControl *dtaTableNotes = nullptr;
    db::DataControl *dtaUnits = nullptr;
    db::DataControl *dtaColumns = nullptr;

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    // Lifecycle, layout and header (frmMaterial2.cpp).
    void CreateControls();
    void Form_Load();
    void ArrangeControls();
    void Form_Resize();
    void Form_Activate();
    void Form_Unload();
    void ConnectDataControls();
    void LoadProductForms();
    QMdiSubWindow *subWindow() const;

    // Dispatch (frmMaterial2Tables.cpp).
    void HideAllPanels();
    void ShowTableContent(const QString &strTable);
    // Reads a data table for what showing it records (the material's flags, notes, captions and
    // copies, the window's design values) without building its view.
    void RecordTable(const QString &strTable);
    // The rows of a table's statement: through dtaTable when the table is shown (its grid follows),
    // else read beside it.
    std::unique_ptr<db::Recordset> TableRows(const QString &source, bool shown);
    void optMechProp_Click(int Index);
    // The key of the toolbar button whose picture stands beside the table.
    static QString TableIcon(const QString &strTable);

    // Notes pane and no-data note (frmMaterial2Notes.cpp).
    void ShowNotesPane(const QString &mode);
    // The notes box takes the focus only while the pane shows it.
    void KeepNotesBoxReachable();
    // The active window's focus goes to the first control its view shows, unless a shown control of
    // the window holds it already.
    void FocusFirstControl();
    void cmdShowNotes_Click();
    void TimerFlash_Timer();
    void SetNotesPicture(int picture);
    void ShowNoDataNote(const QString &strTable);
    void LoadTableNotes(const QString &strTable);
    // The table's notes after text; records them and m_notesPresent.
    QString RecordTableNotes(const QString &strTable, QString text);
    void LoadAdditionalInfo();
    // The additional information after text, none when the material has none; records it.
    std::optional<QString> RecordAdditionalInfo(QString text, bool shown);

    // Chemical composition (frmMaterial2ChemComp.cpp).
    void FillChemCompTable();
    // The composition as its grid shows it, with the captions of its columns; records them.
    platform::XArray RecordChemComp(bool shown, QStringList *captions);

    // Mechanical and creep tables (frmMaterial2MechCreep.cpp).
    struct GridColumnLayout
    {
        QString caption;
        double definedWidth = 0; // twips, 0 for the default
    };
    struct MechCreepData
    {
        bool noRows = false;              // no values to lay out
        bool creepColumnsDropped = false; // the empty creep columns were looked for
        QList<int> kept;                  // the creep columns retained
    };
    void BuildMechCreepColumns(const QString &strTable);
    // The column definitions of the table; records the column ids, axis captions and captions.
    QList<GridColumnLayout> RecordMechCreepColumns(const QString &strTable);
    void RecordMechCreepColSizes(const QString &strTable, const QList<GridColumnLayout> &columns);
    // The values into cells, rows by columns; records the flags, the copy and the retained creep columns.
    MechCreepData RecordMechCreepData(const QString &strTable, qint16 iCols, platform::XArray &cells, bool shown);
    QList<int> DropEmptyCreepColumns(const platform::XArray &cells);
    void ReadColumnTexts();
    // Appends the columns at once, each visible, centred and wrapping, of its width (0: the default).
    void AddGridColumns(controls::DataGrid *grid, const QList<GridColumnLayout> &columns);
    void ClearGridColumns(controls::DataGrid *grid);
    QString GetColumnText(qint32 colID);
    QString GetUnitText(qint32 unitID);
    qint32 GetColumnUnitID(const QString &colTxt);

    // Bound tables (frmMaterial2Bound.cpp).
    void ShowBoundTable(const QString &strTable);
    void RecordBoundTable(const QString &strTable);
    QString BoundTableSource(const QString &strTable) const;
    QString ThicknessCrosstabSource(const QString &strTable) const;
    // Whether the elevated table is split by thickness, judged by its first row; records it.
    bool RecordThicknessSplit(const QString &strTable, const db::Recordset &rs);
    // Per impact-energy column whether it is empty, nothing without rows; records the mask.
    std::optional<std::array<bool, 3>> RecordImpEnergyColumns(db::Recordset &rs);
    void RecordDesignColumns(db::Recordset &rs);
    void RecordThicknessColumns(const QString &strTable, db::Recordset &rs);
    void LoadThicknessColumns(const QString &strTable);

    // Charts (frmMaterial2Graph.cpp).
    void ShowUnboundGraph(const QString &strTable, db::Recordset &rs);
    // The text matrix of a bound table's rows, kept for the design values, and the chart's data;
    // false without rows.
    bool RecordTextMatrix(const QString &strTable, db::Recordset &rs, platform::XArray *chartData);
    void ShowBoundGraph(const QString &strTable);
    void ShowGraphView(bool blnGraph);
    void EnableGraphButtons(bool blnEnable);

    // Charts: buttons and the number reading of the chart cells (frmMaterial2Graph.cpp).
    void ConnectChartControls();
    void CommandShowGraph_Click();
    void CommandShowTable_Click();
    void cmdUnBoundGraph_Click();
    void cmdUnBoundTable_Click();
    void cboColumnList_Click();
    QString NormaliseNumber(const QString &s) const;

    // Design values (frmMaterial2Design.cpp) and the temperature box (frmMaterial2DesignInput.cpp).
    friend class DesignTempFilter;
    void BuildDesignGrid();
    void ConnectDesignControls();
    void txtDesignTemp_KeyPress(qint16 &KeyAscii);
    void txtDesignTemp_KeyDown(qint16 KeyCode);
    void txtDesignTemp_Change();
    void txtDesignTemp_MouseDown(int Button);
    void txtDesignTemp_MouseUp(int Button);
    void RecalcDesignValues();
    void ComputeDesignValues();

    // Printing and saving the chart and the design values; the enlarged chart (frmMaterial2Print.cpp).
    void cmdPrintSave_Click(int Index);

    // Pictures drawn for the notes button and the physical-table headings (frmMaterial2Pictures.cpp).
    void CreatePictures();

    // What an error that reaches one of the window's handlers, or one of the steps run guarded, shows:
    // "Error <number>: <description>". Every handler is connected behind it.
    static constexpr platform::OnError ErrorPolicy = platform::OnError::ShowNumbered;
    // Runs a step and reports a failing query in a message box instead of letting it escape;
    // false when it failed.
    bool RunGuarded(const std::function<void()> &step);

    // Window state.
    platform::XArray xTableDB; // data of tdbTable
    bool m_designGridBuilt = false;
    bool m_columnTextsRead = false; // dtaColumns holds the database's column texts
    bool m_graphView = false;
    bool m_multiThickness = false;           // the shown elevated table has thickness columns
    std::array<qint16, 8> m_notesGeometry{}; // txtNotes then framNotes: Left, Top, Width, Height
    bool m_notesPresent = false;
    int m_notesPicture = 0;
    bool m_loaded = false;
    bool m_unloaded = false;
    // The sub-window whose resizing this window follows, held as a plain object: its destructor
    // still sends it events, which reach the filter when the sub-window is no longer one.
    QPointer<QObject> m_watchedSubWindow;
    QObject *m_designTempFilter = nullptr; // the temperature box's key and mouse filter

    // Thickness list of the shown elevated table, index 1..n.
    platform::VbArray<qint16> m_thickCols;

    // Mechanical and creep tables.
    platform::VbArray<qint32> m_columnIds;          // colID of definition k, 0..C
    platform::VbArray<QString> m_creepAxisCaptions; // 0..C
    qint32 m_chartXCol = 0;
    qint32 m_chartYCol = 0;
    platform::XArray m_xChartDB;                // rows 1..R, columns 0..1
    platform::VbArray<bool> m_emptyCreepCols;   // 0..C-1
    platform::VbArray<QString> m_creepCaptions; // retained columns 0..K-1
    platform::XArray m_creepText;               // rows 1..R, retained columns 0..K-1
    platform::VbArray<qint32> m_creepColIds;    // retained columns 0..K-1

    // Charts and design values.
    QHash<QString, platform::XArray> m_textMatrices; // per-temperature key: rows 1..R, columns 0..n
    platform::VbArray<QString> m_keysWithData;       // design keys whose table has data, from 0
    bool m_designSeparator = false;                  // the temperature text holds its decimal sign
    qint16 m_designDecimals = 0;                     // a digit follows the decimal sign
};
