#pragma once

// The program's one multiple-document main window: its menus, toolbar and commands, the start-up
// and unload, and the arrangement of the child windows. The state and catalogue every window
// reads are its base's (core/ProgramWindow.h).

#include "core/ProgramWindow.h"

#include <QList>

class frmMaterial2;

class mdiVelkor : public ProgramWindow
{
    Q_OBJECT
public:
    explicit mdiVelkor(QWidget *parent = nullptr);
    ~mdiVelkor() override;

    // The single instance (nullptr before it is created and after it is gone).
    static mdiVelkor *instance() { return static_cast<mdiVelkor *>(ProgramWindow::instance()); }

    // Load and unload. MDIForm_Load runs the start-up after construction (the splash calls it);
    // MDIForm_Unload runs once, when the window closes.
    void MDIForm_Load();
    void MDIForm_Unload();
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
    bool Unloading() const override { return m_unloading || m_unloadingOthers; }
    // True once the unload has run.
    bool Unloaded() const { return m_unloaded; }

    // Colour scheme.
    void Do_Undo_Colour_All();
    void Do_Undo_Colour(QWidget *frm) override;
    void MDIForm_DblClick();

    void DoBatchPrint() override;
    // The first half of DoBatchPrint: every material window records its tables, queues those with
    // data for printing and closes. Raises VbError.
    void PrepareBatchPrint();
    void ShowAbout();
    void SelectMaterials() override;
    void UpdateMenusAndButtons(const QString &strMenu = {}, int Index = 0) override;
    void ShowToolTips(bool blnOn);

    // Child-window arrangement and current-material bookkeeping.
    void SetRowColors(controls::DataGrid *tdbGrid, bool blnOpposite = false) override;
    QMdiSubWindow *DoCascade() override;
    QMdiSubWindow *DoTileHorizontal() override;
    void SetCurrentMaterial(const MaterialPtr &mMat) override;
    void CountMaterialsOpen() override;
    void ShowMaterialCommands() override;
    QMdiSubWindow *ArrangeOpenedMaterials() override;
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

    // The picture of the toolbar button of a key; a null icon for a separator or an unknown key.
    static QIcon ButtonPicture(const QString &key);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateMenus();
    void CreateToolbar();
    void CreateStatusBar();
    void ConnectCommands();
    void ShowTableOnAll(const QString &strTable);
    void ShowSubmenuView(const QList<QAction *> &items, int Index); // the Mechanical or Physical submenu
    void ActivateNextMaterial();
    // The Window menu's items and the toolbar's window buttons show the arrangement, and the
    // arrangement's button is remembered.
    void MarkArrangement(bool tiled);
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

    QList<QAction *> m_windowListActions;
    bool m_unloading = false;
    bool m_unloadingOthers = false;
    bool m_unloaded = false;
};
