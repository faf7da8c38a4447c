#pragma once

#include "ErrorOf.h"
#include "platform/VbError.h"
#include "platform/XArray.h"

#include <QApplication>
#include <QLocale>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testutil {
inline QLocale localeNamed(const QString &name)
{
    return name == QLatin1String("de_DE") ? QLocale(QLocale::German, QLocale::Germany)
                                          : QLocale(QLocale::English, QLocale::UnitedStates);
}

// Runs once the next modal dialog is shown, then lets the test act on it.
template <typename Dialog>
void whenShown(std::function<void(Dialog *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<Dialog *>(w); d && d->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(d);
                return;
            }
        }
    });
    timer->start();
}

inline platform::XArray numbered(int rows, int cols)
{
    // Cell (r, c) holds r * 10 + c; rows 1.., columns 0..
    platform::XArray a(1, rows, 0, cols - 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c)
            a.setValue(r, c, r * 10 + c);
    return a;
}

inline QString dump(const platform::XArray &a)
{
    QStringList rows;
    for (int r = a.lowerBound(1); r <= a.upperBound(1); ++r) {
        QStringList cells;
        for (int c = a.lowerBound(2); c <= a.upperBound(2); ++c)
            cells << (a.isNull(r, c) ? QStringLiteral("N") : a.value(r, c).toString());
        rows << cells.join(QLatin1Char(' '));
    }
    return rows.join(QLatin1Char('|'));
}

} // namespace testutil

class tst_Platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_locale = QLocale(); }
    void cleanup() { QLocale::setDefault(m_locale); }

    // The file service
    void readRegularFile_data();
    void readRegularFile();
    void writeFileAtomically_data();
    void writeFileAtomically();

    void twipsToPixels_data();
    void twipsToPixels();
    void widgetGeometryInTwips();

    void oleColor_data();
    void oleColor();
    void systemColors_data();
    void systemColors();

    void filterConversion_data();
    void filterConversion();
    void keyCodes_data();
    void keyCodes();
    void responderRecordsAndAnswers();
    void fileDialogsThroughResponder();
    void respondersNestAndRestore();
    void errorBoundary_data();
    void errorBoundary();
    void dialogsThroughResponder();
    void realMessageBox_data();
    void realMessageBox();
    void realFileDialog();

    void xarrayBounds();
    void xarrayBadAccess_data();
    void xarrayBadAccess();
    void xarrayRedimPreserve_data();
    void xarrayRedimPreserve();
    void xarrayInsertDelete_data();
    void xarrayInsertDelete();
    void xarrayInsertDeleteErrors_data();
    void xarrayInsertDeleteErrors();
    void xarrayEquality();
    void vbArray();

    void collection();
    void collectionErrors_data();
    void collectionErrors();

    void integerConversions_data();
    void integerConversions();
    void cDbl_data();
    void cDbl();
    void cStr_data();
    void cStr();
    void cBoolAndNulls();
    void formatNumber_data();
    void formatNumber();
    void formatVariant_data();
    void formatVariant();
    void val_data();
    void val();
    void isNumeric_data();
    void isNumeric();

    void environment();
    void keepOnScreen_data();
    void keepOnScreen();
    void installedProgramFolder_data();
    void installedProgramFolder();

    // Child processes
    void childEnds_data();
    void childEnds();
    void childrenPolledAndWaitedTogether();
    void childrenEndWithTheirParent();
    void helperProgramFound_data();
    void helperProgramFound();

private:
    QLocale m_locale;
};
