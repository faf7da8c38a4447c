#include "tst_platform.h"

#include "FaultyFiles.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using platform::FileRead;
using testsupport::Fault;
using testsupport::FileFault;

Q_DECLARE_METATYPE(testsupport::Fault)

void tst_Platform::readRegularFile_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<qint64>("cap");
    QTest::addColumn<bool>("head");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("size");

    const int ok = FileRead::Ok, missing = FileRead::Missing, damaged = FileRead::Damaged;
    // The "good" file of the write faults is a plain readable file of 100 bytes.
    QTest::newRow("regular") << Fault::FailingDevice << qint64(100) << false << ok << 100;
    QTest::newRow("missing") << Fault::Missing << qint64(100) << false << missing << 0;
    QTest::newRow("empty") << Fault::Empty << qint64(100) << false << ok << 0;
    QTest::newRow("folder") << Fault::Folder << qint64(100) << false << damaged << 0;
    QTest::newRow("fifo") << Fault::Fifo << qint64(100) << false << damaged << 0;
    QTest::newRow("link to /dev/zero") << Fault::DevZeroLink << qint64(100) << false << damaged << 0;
    QTest::newRow("larger than the cap") << Fault::Garbage << qint64(100) << false << damaged << 0;
    QTest::newRow("head of a larger file") << Fault::Garbage << qint64(100) << true << ok << 100;
    QTest::newRow("10 MB line") << Fault::LongLine << qint64(64 * 1024) << false << damaged << 0;
    QTest::newRow("unreadable") << Fault::Unreadable << qint64(100) << false << damaged << 0;
}

void tst_Platform::readRegularFile()
{
    QFETCH(Fault, fault);
    QFETCH(qint64, cap);
    QFETCH(bool, head);
    QFETCH(int, status);
    QFETCH(int, size);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.vlk"));
    const QByteArray good(100, 'g');
    FileFault made(fault, path, good);
    FileRead read;
    made.act([&] {
        read = platform::readRegularFile(path, cap, head ? platform::Oversize::Head : platform::Oversize::Damaged);
    });
    QCOMPARE(int(read.status), status);
    QCOMPARE(read.bytes.size(), size);
    QVERIFY(made.untouched() || fault == Fault::Missing);
    const bool special =
        fault == Fault::Missing || fault == Fault::Folder || fault == Fault::Fifo || fault == Fault::DevZeroLink;
    QCOMPARE(platform::isRegularFile(path), !special);
}

void tst_Platform::writeFileAtomically_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("written");

    for (Fault fault : testsupport::allFaults()) {
        const bool replaceable =
            fault == Fault::Missing || fault == Fault::Empty || fault == Fault::Garbage || fault == Fault::LongLine;
        QTest::newRow(qPrintable(testsupport::faultName(fault))) << fault << replaceable;
    }
}

// Either the whole new file or the earlier one, whatever stands at the path; never a short file,
// never a file left beside it.
void tst_Platform::writeFileAtomically()
{
    QFETCH(Fault, fault);
    QFETCH(bool, written);

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Settings.vlk");
    FileFault made(fault, path, QByteArray(100, 'o'));
    if (!made.skipReason().isEmpty())
        QSKIP(qPrintable(made.skipReason()));
    const QByteArray fresh(5000, 'n');
    bool result = false;
    made.act([&] { result = platform::writeFileAtomically(path, fresh); });
    QCOMPARE(result, written);
    if (written) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), fresh);
    } else {
        QVERIFY(made.untouched());
    }
    QStringList beside = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    beside.removeAll(QStringLiteral(".filler"));
    QCOMPARE(beside, fault == Fault::Missing && !written ? QStringList() : QStringList{QStringLiteral("Settings.vlk")});
}
