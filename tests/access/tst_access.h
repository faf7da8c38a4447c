#pragma once

#include "platform/MsgBox.h"

#include "ProgramDatabase.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QDialog;
class QMdiSubWindow;
class QWidget;
class frmSearch;
class mdiVelkor;

// The program as a keyboard user, a screen reader and a small screen meet it: the demo database, the
// main window with the search window in its small layout, and every window and dialog it opens.
class tst_access : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    // Windows of every kind, opened as the user opens them.
    void tabOrder_data();
    void tabOrder();
    void mnemonics_data();
    void mnemonics();
    void mnemonicsUnique_data();
    void mnemonicsUnique();
    void previewPageKeys_data();
    void previewPageKeys();
    void helpViewerCloseKeys_data();
    void helpViewerCloseKeys();
    void windowRoles_data();
    void windowRoles();
    void tableHeadingNames_data();
    void tableHeadingNames();
    void pictureNames_data();
    void pictureNames();
    void windowTitles_data();
    void windowTitles();
    void windowsFitSmallScreen_data();
    void windowsFitSmallScreen();

private:
    // Opens one kind of window (a row of the tables above) and calls check while it is shown.
    using WindowCheck = std::function<void(QWidget *window)>;
    void withWindow(const QString &kind, const WindowCheck &check);
    void addWindowRows();

    void addMaterial(int id);
    QList<QMdiSubWindow *> openMaterials(const QList<int> &ids);
    void showTable(const QString &key);
    // Runs a modal dialog that the action opens: the dialog is shown and handed to check.
    void inDialog(const std::function<void()> &open, const WindowCheck &check);

    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
    mdiVelkor *m_mdi = nullptr;
    frmSearch *m_search = nullptr;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
};
