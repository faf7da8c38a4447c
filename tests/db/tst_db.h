#pragma once

#include "ErrorOf.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/VbError.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class tst_db : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void queryShapes_data();
    void queryShapes();
    void likePatterns_data();
    void likePatterns();
    void likeLiteralMatchesItself();
    void shortDatesFollowTheLocale();
    void crosstab_data();
    void crosstab();
    void crosstabRecordsetNavigates();

    void openErrors_data();
    void openErrors();
    void passwords_data();
    void passwords();
    void verifierHoldsNoPassword();
    void exclusiveAcrossProcesses_data();
    void exclusiveAcrossProcesses();
    void exclusiveInProcessAndFindOpen();
    void pathWithUriCharacters();
    void sqlErrors_data();
    void sqlErrors();
    void missingFieldOfTheFieldList();

    void valueTypes_data();
    void valueTypes();
    void fieldAccess();
    void navigation_data();
    void navigation();
    void moveAndPosition();
    void finds_data();
    void finds();
    void findOnEmptyAndSingleRow();
    void criteriaErrors_data();
    void criteriaErrors();
    void criteriaDepth_data();
    void criteriaDepth();
    void cloneIsIndependent();
    void readOnDemandAnswersAsAtOnce_data();
    void readOnDemandAnswersAsAtOnce();
    void readOnDemandReadsLaterAndAfterClose();
    void closedObjectsRaise();
    void keptStatementsAnswerAsNew();

    void dataControlRefreshAndReposition();
    void dataControlFailedRefresh();
    void dataControlUsesOpenDatabase();

    void fileBytesUnchanged();

private:
    std::shared_ptr<db::Database> fixture();

    QTemporaryDir m_dir;
    QString m_fixturePath;
    QString m_passwordPath;
    QByteArray m_fixtureSum;
    QByteArray m_passwordSum;
    std::shared_ptr<db::Database> m_db;
};
