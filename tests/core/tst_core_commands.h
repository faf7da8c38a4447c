#pragma once

#include "platform/MsgBox.h"

#include "ProgramDatabase.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class QMdiSubWindow;
class QWidget;
class QColor;
class frmMaterial2;
class frmSearch;
class mdiVelkor;

// Five grades of the demo database.
extern const QList<int> DemoIds;
QColor base(const QWidget *w);

class tst_core_commands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void menusAndToolbarByState_data();
    void menusAndToolbarByState();
    void viewCommands_data();
    void viewCommands();
    void repeatingTheShownTableDoesNothing_data();
    void repeatingTheShownTableDoesNothing();
    void updateMenusAndButtonsMarks_data();
    void updateMenusAndButtonsMarks();
    void windowCommands_data();
    void windowCommands();
    void tileTops_data();
    void tileTops();
    void cascadeCentresAndSkipsMinimised();
    void narrowMainWindowTilesToNegativeLeft();
    void settingsCommands();
    void colourScheme_data();
    void colourScheme();
    void backColourCycle_data();
    void backColourCycle();
    void toolTips_data();
    void toolTips();
    void activationMakesMaterialCurrent_data();
    void activationMakesMaterialCurrent();
    void closeMaterial();
    void closingLastWindowReducesToolbar();
    void closeMaterialNotInSelectionDoesNothing();
    void nextActivatesFollowingWindow();
    void selectWithEmptySelectionDoesNothing();
    void backToSearchState();
    void aboutShowsItsStatusText();
    void helpKeyOpensThePageOfTheWindow_data();
    void helpKeyOpensThePageOfTheWindow();
    // Last: it unloads the main window.
    void exitUnloadsEverything();

private:
    void addMaterial(int id);
    QList<QMdiSubWindow *> openMaterials(const QList<int> &ids);
    static frmMaterial2 *material(QMdiSubWindow *sub);
    QString statusTextOf(int code);

    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
    mdiVelkor *m_mdi = nullptr;
    frmSearch *m_search = nullptr;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
};
