#include "tst_controls.h"

#include "controls/Application.h"
#include "platform/ErrorBoundary.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

// clang-format off
void tst_controls::handlerErrors_data()
{
    QTest::addColumn<bool>("behindGuard");
    QTest::addColumn<QString>("raised");
    QTest::addColumn<QString>("text");
    QTest::newRow("guarded, database error") << true << "vb" << "Error 3265: Item not found in this collection.";
    QTest::newRow("guarded, other error") << true << "other" << "out of memory";
    QTest::newRow("bare, database error") << false << "vb" << "Error 3265: Item not found in this collection.";
    QTest::newRow("bare, other error") << false << "other" << "out of memory";
    QTest::newRow("bare, anything") << false << "int" << "An unexpected error ended the last action.";
}
// clang-format on

void tst_controls::handlerErrors()
{
    QFETCH(bool, behindGuard);
    QFETCH(QString, raised);
    QFETCH(QString, text);
    platform::ScriptedResponder responder;

    QWidget window;
    auto *button = new QPushButton(QStringLiteral("Go"), &window);
    button->setCheckable(true);
    QList<bool> seen;
    const auto handler = [&](bool checked) {
        seen << checked;
        if (raised == QLatin1String("vb"))
            throw platform::VbError(3265, QStringLiteral("Item not found in this collection."));
        if (raised == QLatin1String("other"))
            throw std::runtime_error("out of memory");
        throw 1;
    };
    if (behindGuard)
        platform::connectGuarded(button, &QPushButton::toggled, &window, platform::OnError::ShowNumbered, handler);
    else
        QObject::connect(button, &QPushButton::toggled, &window, handler);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Two clicks, each through the event loop: the first failure ends neither the program nor the
    // window's next event.
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(seen, QList<bool>({true, false}));
    const QList<platform::MessageRequest> boxes = responder.messages();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.at(1).text, text);
    QCOMPARE(boxes.at(1).style & platform::msgIconMask, int(platform::vbCritical));
}

// The program's own application object, the last boundary of every event.
int main(int argc, char *argv[])
{
    controls::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_controls tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
