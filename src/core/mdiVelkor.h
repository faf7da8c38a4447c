#pragma once

// The program's one multiple-document main window and the program-wide state that every other
// window reads and writes through its single instance.

#include "platform/Collection.h"
#include "platform/OleColor.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolBar;
class Material;
class frmMaterial2;
class QMdiSubWindow;

namespace controls {
class DataGrid;
}

using MaterialPtr = std::shared_ptr<Material>;

class mdiVelkor : public QMainWindow
{
    Q_OBJECT
public:
    explicit mdiVelkor(QWidget *parent = nullptr);
    ~mdiVelkor() override;

    // The single instance (nullptr before it is created and after it is gone).
    static mdiVelkor *instance();

    // Public state, in declaration order.
    platform::OleColor vMyGreen = 0xA8FBA2;
    platform::OleColor vMyBlue = 0xFEC7A5;
    MaterialPtr mCurrent;
    platform::Collection<MaterialPtr> colMaterials; // keyed by the material id as decimal text
    qint16 iMaterialsOpen = 0;
    QString strLastViewButton;
    QString strLastWindowButton;
    qint16 iWindowArrange = 0;
    bool blnLowResolution = false;
    bool blnColoursOFF = false;
    bool blnBatchPrint = false;
    QPointer<frmMaterial2> frmCurrentDesign;
    // On until the settings file says otherwise, like the menu item's check mark.
    bool blnToolTips = true;
    bool blnEnglish = false;
    bool blnEnglishSystem = false;

    // The system colours the colour scheme and the back-colour cycle use.
    const platform::OleColor vInfoBackground = platform::olecolor::InfoBackground;
    const platform::OleColor vAppWorkspace = platform::olecolor::AppWorkspace;

    // The MDI area holding the search window and the material windows.
    QMdiArea *mdiArea() const { return m_mdiArea; }

    // The window's back colour is the MDI area's background.
    platform::OleColor BackColor() const { return m_backColor; }
    void SetBackColor(platform::OleColor color);

    // Load and unload. MDIForm_Load runs the start-up after construction (the splash calls it);
    // MDIForm_Unload runs once, when the window closes.
    void MDIForm_Load();
    void MDIForm_Unload();
    void MDIForm_Resize() {}
    void CloseMainWindow();

    // Where the main window opens: at the size its layout needs (bounded by the screen's available
    // area) in that area's top left corner, maximised when the area is at least that large.
    struct ScreenPlacement
    {
        QRect normal;
        bool maximised = false;
    };
    static ScreenPlacement PlaceOnScreen(const QRect &available, const QSize &needed);
    // The size of the main window whose work area shows the search window whole.
    QSize NeededSize() const;
    // Shows the main window placed on the screen; the start-up's last step.
    void ShowOnScreen();
    // True from the moment the unload starts: the search window lets itself be closed then.
    bool Unloading() const { return m_unloading || m_unloadingOthers; }
    // True once the unload has run.
    bool Unloaded() const { return m_unloaded; }

    // Settings file.
    void LoadSettings();
    void SaveSettings();
    float ColumnSize(int Index) const;             // VbError 9 outside 0..5
    void ColumnSize(int Index, float sngWidth);    // VbError 9 outside 0..5
    bool ColumnVisible(int Index) const;           // VbError 9 outside 0..5
    void ColumnVisible(int Index, bool blnVisible); // VbError 9 outside 0..5
    QString SavedSearch(int Index) const;          // VbError 9 outside 0..7
    void SavedSearch(int Index, const QString &strSearch); // VbError 9 outside 0..7

    // Table catalogue.
    void InitTableNames();
    QString GetTableName(int index) const;      // VbError 9 outside 0..13
    QString GetShortTableName(int index) const; // VbError 9 outside 0..13
    qint16 GetTableIndex(const QString &strTable) const;
    QString GetCaption(const QString &strTable) const;

    // Status bar texts.
    void SetStatus();
    void ShowStatus(int index); // VbError 9 outside the ranges
    // The text the first status panel shows.
    QString StatusText() const;

    // Colour scheme.
    void Do_Undo_Colour_All();
    void Do_Undo_Colour(QWidget *frm);
    void MDIForm_DblClick();

    void DoBatchPrint();
    // The first half of DoBatchPrint: every material window records its tables, queues those with
    // data for printing and closes. Raises VbError.
    void PrepareBatchPrint();
    void ShowAbout();
    void SelectMaterials();
    // strMenu "View", "Mech" or "Phys" with the item index; anything else only resets the marks.
    void UpdateMenusAndButtons(const QString &strMenu = {}, int Index = 0);
    void ShowToolTips(bool blnOn);

    // Child-window arrangement and current-material bookkeeping.
    void SetRowColors(controls::DataGrid *tdbGrid, bool blnOpposite = false);
    // Both return the window they leave in front (nullptr when none was placed).
    QMdiSubWindow *DoCascade();
    QMdiSubWindow *DoTileHorizontal();
    void SetCurrentMaterial(const MaterialPtr &mMat);
    void CountMaterialsOpen();
    void CloseMaterial();
    // The open material windows' frames, in the order of the window list.
    QList<QMdiSubWindow *> MaterialWindows() const;

    // Menu and toolbar commands. A click on a menu item or a toolbar button reaches these; the
    // check marks and pressed states are theirs to set.
    void mnuFileElem_Click(qint16 Index);
    void mnuViewElem_Click(qint16 Index);
    void mnuViewMechElem_Click(qint16 Index);
    void mnuViewPhysElem_Click(qint16 Index);
    void mnuSettingsElem_Click(qint16 Index);
    void mnuSettingsToolElem_Click(qint16 Index);
    void mnuWindowElem_Click(qint16 Index);
    void mnuHelpElem_Click(qint16 Index);
    void Toolbar1_ButtonClick(QAction *Button);
    void Toolbar1_ButtonMenuClick(QAction *ButtonMenu);
    void stbStatus_DblClick();

    void GetDecimal();
    qint16 CheckScreenResolution() const;

    // Menus: the item arrays are indexed from 0, separators included.
    QMenu *mnuFile = nullptr;
    QMenu *mnuView = nullptr;
    QMenu *mnuViewMech = nullptr;
    QMenu *mnuViewPhys = nullptr;
    QMenu *mnuSettings = nullptr;
    QMenu *mnuSettingsTool = nullptr;
    QMenu *mnuWindow = nullptr;
    QMenu *mnuHelp = nullptr;
    QList<QAction *> mnuFileElem;
    QList<QAction *> mnuViewElem;
    QList<QAction *> mnuViewMechElem;
    QList<QAction *> mnuViewPhysElem;
    QList<QAction *> mnuSettingsElem;
    QList<QAction *> mnuSettingsToolElem;
    QList<QAction *> mnuWindowElem;
    QList<QAction *> mnuHelpElem;

    // Toolbar: buttons numbered from 1 and found by key; separators are buttons too.
    QToolBar *Toolbar1 = nullptr;
    int ButtonCount() const { return int(m_buttons.size()); }
    QAction *Buttons(int index) const;          // nullptr outside 1..ButtonCount()
    QAction *Buttons(const QString &key) const; // nullptr for an unknown key
    int ButtonIndex(const QString &key) const;  // 0 for an unknown key
    // The drop-down menus of the buttons "Mech" and "Physical", numbered from 1.
    QAction *ButtonMenus(const QString &buttonKey, int index) const;
    bool ToolbarAtBottom() const;
    void SetToolbarAtBottom(bool bottom);

    // Pictures of the toolbar buttons and of dialogs, numbered from 1, in the order of the buttons.
    QList<QIcon> ImageList1;
    // The picture of the toolbar button of a key; a null icon for a separator or an unknown key.
    static QIcon ButtonPicture(const QString &key);

    QStatusBar *stbStatus = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateMenus();
    void CreateToolbar();
    void CreateStatusBar();
    void ConnectCommands();
    void ShowTableOnAll(const QString &strTable);
    void ActivateNextMaterial();
    // The save (2) and print (3) report dialogs of the File menu.
    void ShowReportDialog(qint16 Index);
    // File item 5: the help topic "General_Information.htm".
    void ShowGeneralInformation();
    void ListChildWindows();
    void CreateImageList();
    void AssignToolbarPictures();
    void AssignMenuPictures();
    void CheckScreen();
    QString MissingDatabaseText() const;
    void ShowSearchWindow();
    void UnloadOtherWindows();

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_statusPanel = nullptr;
    platform::OleColor m_backColor = 0xFEC7A5;
    QList<QAction *> m_buttons;
    QList<QAction *> m_windowListActions;
    QStringList m_buttonKeys;
    QMenu *m_mechButtonMenu = nullptr;
    QMenu *m_physButtonMenu = nullptr;
    bool m_unloading = false;
    bool m_unloadingOthers = false;
    bool m_unloaded = false;

    std::array<QString, 28> m_tableNames;
    std::array<QString, 21> m_statusTexts;
    int m_statusRemembered = 0;

    std::array<float, 6> m_columnSize{};
    std::array<bool, 6> m_columnVisible{true, true, true, true, true, true};
    std::array<QString, 8> m_savedSearch;
};
