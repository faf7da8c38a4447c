#pragma once

#include "controls/DataGrid.h"
#include "db/DataControl.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

using controls::DataGrid;

class tst_controls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void handlerErrors_data();
    void handlerErrors();

    void modelTester_data();
    void modelTester();
    void unboundArray_data();
    void unboundArray();
    void screenReaderSeesRowsInView();
    void boundFollowsDataControl();
    void currentRowSync_data();
    void currentRowSync();
    void columns();
    void columnErrors_data();
    void columnErrors();
    void rebindCreatesColumns();
    void heldLayout();
    void captionsAndHeaderHeight();
    void rowStylesAndAlignment_data();
    void rowStylesAndAlignment();
    void headAndFootClicks_data();
    void headAndFootClicks();
    void reloadFromClickHandler();
    void cellTips_data();
    void cellTips();
    void resizeCancel_data();
    void resizeCancel();
    void keyDown_data();
    void keyDown();
    void dragAndDrop();

private:
    void showGrid(DataGrid &grid);
    void bindToFixture(db::DataControl &control, DataGrid &grid);

    QTemporaryDir m_dir;
    QString m_dbPath;
};
