#pragma once

#include "material/Material.h"

#include "ProgramDatabase.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class frmMaterial2;
class mdiVelkor;

// A small material database in a temporary folder, opened as the program's database while it lives.
class ChartFixture
{
public:
    explicit ChartFixture(const QStringList &statements);
    bool isOpen() const { return m_database.isOpen(); }
    MaterialPtr material(int matID) const;

private:
    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
};

// Standard 5 "EN 1" with materials 1 "G1" and 2 "G2".
QStringList chartBaseRows();
// A window showing a material, with a caption of its own as the search window gives it.
std::unique_ptr<frmMaterial2> openChartWindow(const MaterialPtr &material);

class tst_material_charts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    // Chart control and the charts of the material window
    void chartControlPairsColumns();
    void unboundChart_data();
    void unboundChart();
    void unboundChartValues_data();
    void unboundChartValues();
    void chartButtonsFollowData();
    void creepChart_data();
    void creepChart();
    void graphViewButtons();
    void chartWindowCopiesChart_data();
    void chartWindowCopiesChart();
    void printButtons_data();
    void printButtons();

    // Design temperature and design values
    void formatValue_data();
    void formatValue();
    void interpolation_data();
    void interpolation();
    void valuesAt_data();
    void valuesAt();
    void designHeadings();
    void noDesignTablesDisablesBox();
    void temperatureFilter_data();
    void temperatureFilter();
    void temperatureCopiedToOtherWindows();
    void failureClearsBox_data();
    void failureClearsBox();
    void demoDesignValues();

private:
    mdiVelkor *m_mdi = nullptr;
};
