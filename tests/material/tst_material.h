#pragma once

#include "material/Material.h"

#include "ProgramDatabase.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class frmMaterial2;
class mdiVelkor;
class QWidget;

// A small material database in a temporary folder: the project's schema plus the rows a test gives,
// opened as the program's database for as long as the fixture lives.
class Fixture
{
public:
    explicit Fixture(const QStringList &statements);
    bool isOpen() const { return m_database.isOpen(); }
    // A material filled from its row and its standard's row, as the search window fills it.
    MaterialPtr material(int matID) const;

private:
    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
};

// The rows most tests share: standard 5 "EN 1" and material 1 "G1" (1.0001) of it.
QStringList baseRows(bool otherElements = false);
// Inserts for a composition of n elements, two records each, optionally with an element note.
QStringList chemicalRows(const QString &name, int elements, const QString &note = {});

// A window showing a material of the fixture.
std::unique_ptr<frmMaterial2> openWindow(const MaterialPtr &material);
// Where a widget lies, in pixels, for geometry given in twips.
QRect twips(double left, double top, double width, double height);
QString crlf(const QString &text); // "\n" written as CR LF

class tst_material : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    // Material record
    void keysOutsideCatalogueAddressRef_data();
    void keysOutsideCatalogueAddressRef();
    void attachingWindowClearsChecked();
    void captionLists_data();
    void captionLists();
    void unboundCopy();
    void keyedArrays();
    void indexBounds_data();
    void indexBounds();
    void printQueuesFirstInFirstOut();
    void setProperties();
    void noDataNoteText_data();
    void noDataNoteText();

    // Window: lifecycle, header, dispatch
    void setMaterialFillsHeader();
    void productForms_data();
    void productForms();
    void fixedSizeInMdiArea();
    void elevatedShowsRp02_data();
    void elevatedShowsRp02();
    void controlsNamedForScreenReaders();
    void elevatedOptionActsWhenChecked_data();
    void elevatedOptionActsWhenChecked();
    void addInfoFillsWorkArea();
    void creepGraphButtonOnlyWithData_data();
    void creepGraphButtonOnlyWithData();
    void boundGridTrimmedBeforeEachTable();
    void checkTablesVisitsEachTableOnce();
    void tableIconIsButtonPicture_data();
    void tableIconIsButtonPicture();
    void failingQueryKeepsWindowOpen();

    // Notes pane and no-data note
    void notesPaneOpensClosesAndBlinks();
    void notesButtonToolTip_data();
    void notesButtonToolTip();
    void noDataNoteCoversGrid_data();
    void noDataNoteCoversGrid();

    // Chemical composition
    void chemicalComposition_data();
    void chemicalComposition();
    void otherElements_data();
    void otherElements();
    void compositionOutsideDataModel_data();
    void compositionOutsideDataModel();

    // Mechanical and creep properties
    void mechanicalTable();
    void mechanicalRecordCounts_data();
    void mechanicalRecordCounts();
    void creepEmptyColumnsHidden();

    // Bound tables
    void elevatedThickness_data();
    void elevatedThickness();
    void impactEnergyColumns_data();
    void impactEnergyColumns();
    void physicalHeadings();

    // Notes and additional information
    void tableNotesText();
    void additionalInformation_data();
    void additionalInformation();

    // Demo database
    void demoMaterialThroughAllTables_data();
    void demoMaterialThroughAllTables();
    void tablesReadRecordAsShown_data();
    void tablesReadRecordAsShown();

private:
    mdiVelkor *m_mdi = nullptr;
};
