#pragma once

// The main window as the subsystems see it: the program-wide state, the table catalogue, the
// settings, the status texts, and the few commands a material, search or report window may ask
// of the main window. The shell's main window implements the commands; nothing here knows a
// window of the subsystems above.

#include "core/MenuItems.h"
#include "core/StatusCodes.h"
#include "core/TableCatalogue.h"
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
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class Material;

namespace controls {
class DataGrid;
}

using MaterialPtr = std::shared_ptr<Material>;

class ProgramWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ProgramWindow(QWidget *parent = nullptr);
    ~ProgramWindow() override;

    // The single instance (nullptr before it is created and after it is gone).
    static ProgramWindow *instance();

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
    // The material window whose design temperature was typed last.
    QPointer<QWidget> frmCurrentDesign;
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

    // True from the moment the unload starts: the search window lets itself be closed then.
    virtual bool Unloading() const = 0;

    // Settings file, with the search window's arrays: the widths and visibility of its result grid's
    // columns, and the texts of its criteria boxes followed by its standard family.
    static constexpr int ResultColumnCount = 6;
    static constexpr int SavedSearchCount = 8;
    void LoadSettings();
    void SaveSettings();
    // Each raises VbError 9 for an index outside its array.
    float ColumnSize(int Index) const;
    void ColumnSize(int Index, float sngWidth);
    bool ColumnVisible(int Index) const;
    void ColumnVisible(int Index, bool blnVisible);
    QString SavedSearch(int Index) const;
    void SavedSearch(int Index, const QString &strSearch);

    // Table catalogue.
    void InitTableNames();
    QString GetTableName(int index) const;      // VbError 9 outside 0..13
    QString GetShortTableName(int index) const; // VbError 9 outside 0..13
    qint16 GetTableIndex(const QString &strTable) const;
    QString GetCaption(const QString &strTable) const;

    // Status bar texts.
    void SetStatus();
    void ShowStatus(int index); // VbError 9 outside the ranges
    // ShowStatus on the main window, when there is one.
    static void ShowStatusIfOpen(int index)
    {
        if (ProgramWindow *window = instance())
            window->ShowStatus(index);
    }
    // The text the first status panel shows.
    QString StatusText() const;

    // The commands the subsystems' windows ask for.
    virtual void Do_Undo_Colour(QWidget *frm) = 0;
    virtual void DoBatchPrint() = 0;
    virtual void SelectMaterials() = 0;
    // strMenu "View", "Mech" or "Phys" with the item index; anything else only resets the marks.
    virtual void UpdateMenusAndButtons(const QString &strMenu = {}, int Index = 0) = 0;
    virtual void SetRowColors(controls::DataGrid *tdbGrid, bool blnOpposite = false) = 0;
    // Both return the window they leave in front (nullptr when none was placed).
    virtual QMdiSubWindow *DoCascade() = 0;
    virtual QMdiSubWindow *DoTileHorizontal() = 0;
    virtual void SetCurrentMaterial(const MaterialPtr &mMat) = 0;
    virtual void CountMaterialsOpen() = 0;
    // The menu items and toolbar buttons of the material windows, shown once the windows open.
    virtual void ShowMaterialCommands() = 0;
    // The material windows just made are placed as the Window menu's arrangement says (cascaded or
    // tiled), with that item and its button marked; returns the window to bring to the front.
    virtual QMdiSubWindow *ArrangeOpenedMaterials() = 0;
    // Every selected material has its window: the count taken, the header view marked.
    void MaterialWindowsOpened();
    // The search window has unloaded: the File menu's select item may bring it back.
    void SearchWindowUnloaded();
    // A material window has closed: one fewer open, and the count checked against the windows.
    void MaterialWindowClosed()
    {
        iMaterialsOpen = qint16(iMaterialsOpen - 1);
        CountMaterialsOpen();
    }

    // Toolbar: buttons numbered from 1 and found by key; separators are buttons too.
    int ButtonCount() const { return int(m_buttons.size()); }
    QAction *Buttons(int index) const;          // nullptr outside 1..ButtonCount()
    QAction *Buttons(const QString &key) const; // nullptr for an unknown key
    int ButtonIndex(const QString &key) const;  // 0 for an unknown key
    // The drop-down menus of the buttons "Mech" and "Physical", numbered from 1.
    QAction *ButtonMenus(const QString &buttonKey, int index) const;
    bool ToolbarAtBottom() const;
    // The Settings menu's colour item is ticked: light boxes and alternating grid rows.
    bool ColourSchemeOn() const;
    void SetToolbarAtBottom(bool bottom);

    // The image list holds a picture for each toolbar button but the separators, numbered from 1 in
    // the buttons' order. The number of a button's picture (0 for a separator or an unknown key),
    // and a picture at a size in twips (empty outside the list).
    int PictureNumber(const QString &buttonKey) const;
    QPixmap ListPicture(int number, int sizeTwips) const;

protected:
    // Tests check the menus, toolbar and status bar as a user sees them.
    friend class tst_core;
    friend class tst_core_commands;
    friend class SearchSelectionTest;

    // Menus: the item arrays are indexed from 0, separators included (core/MenuItems.h names them).
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

    QToolBar *Toolbar1 = nullptr;
    QStatusBar *stbStatus = nullptr;
    // Pictures of the toolbar buttons and of dialogs, numbered from 1, in the order of the buttons.
    QList<QIcon> ImageList1;

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_statusPanel = nullptr;
    platform::OleColor m_backColor = 0xFEC7A5;
    QList<QAction *> m_buttons;
    QStringList m_buttonKeys;
    QMenu *m_mechButtonMenu = nullptr;
    QMenu *m_physButtonMenu = nullptr;

private:
    // The titles, then the keys, by catalogue index (checked against the catalogue where filled).
    std::array<QString, 2 * catalogue::TableCount> m_tableNames;
    std::array<QString, status::TextCount> m_statusTexts;
    int m_statusRemembered = 0;

    std::array<float, ResultColumnCount> m_columnSize{};
    std::array<bool, ResultColumnCount> m_columnVisible = allVisible();
    std::array<QString, SavedSearchCount> m_savedSearch;

    static constexpr std::array<bool, ResultColumnCount> allVisible()
    {
        std::array<bool, ResultColumnCount> visible{};
        visible.fill(true);
        return visible;
    }
};
