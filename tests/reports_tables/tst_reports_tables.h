#pragma once

#include "controls/Report.h"
#include "material/Material.h"
#include "platform/MsgBox.h"

#include "ProgramDatabase.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class mdiVelkor;

// A small material database in a temporary folder: the project's schema, standard "EN 1" with
// material 1 "G1" (1.0001), and the rows a test gives; open as the program's database while it lives.
class Fixture
{
public:
    explicit Fixture(const QStringList &rows = {});
    bool isOpen() const { return m_database.isOpen(); }
    MaterialPtr material() const;
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
};

// Items of the report's pages with this text.
QList<controls::PageItem> itemsWithText(const controls::Report &report, const QString &text);
// The texts printed on the line of the first item with this text, left to right.
QStringList lineOf(const controls::Report &report, const QString &text);

class tst_reports_tables : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    // Bound table subreport
    void physicalTables_data();
    void physicalTables();
    void impEnergyColumns_data();
    void impEnergyColumns();
    void impEnergyMaskZeroHidesControl();
    void thicknessColumns_data();
    void thicknessColumns();
    void notesFooter_data();
    void notesFooter();
    void batchTitle();
    void queueFirstInFirstOut();
    void exportedPdfText();

    // Design-values subreport
    void designRowFormats_data();
    void designRowFormats();
    void designColumnBands_data();
    void designColumnBands();
    void splitColumn_data();
    void splitColumn();
    void designSplitColumn_data();
    void designSplitColumn();
    void designContinuationBlock();

private:
    mdiVelkor *m_mdi = nullptr;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
};
