#include "material/frmMaterial2.h"

#include "material/MainWindowLink.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

constexpr qint16 KeyBack = platform::vbKeyBack;
constexpr qint16 KeyReturn = platform::vbKeyReturn;
constexpr qint16 KeyDelete = platform::vbKeyDelete;

// The character a key types, as the box's key filter judges it; -1 for keys that type none
// (caret movement, Delete), which the box handles itself.
int typedCharacter(const QKeyEvent *e)
{
    if (e->key() == Qt::Key_Backspace)
        return KeyBack;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return KeyReturn;
    if ((e->modifiers() & Qt::ControlModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return e->key() - Qt::Key_A + 1;
    const QString text = e->text();
    if (text.isEmpty() || text.at(0).unicode() < 32)
        return -1;
    return text.at(0).unicode();
}

} // namespace

// Turns the temperature box's keyboard and mouse events into the window's handlers: the key
// (KeyDown), then the character it types (KeyPress), which the handler may drop or replace.
class DesignTempFilter : public QObject
{
public:
    explicit DesignTempFilter(frmMaterial2 *window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *e) override
    {
        QLineEdit *box = m_window->txtDesignTemp;
        if (watched != box)
            return false;
        switch (e->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(e);
            m_window->txtDesignTemp_KeyDown(qint16(platform::vbKeyCode(key)));
            const int typed = typedCharacter(key);
            if (typed < 0)
                return false;
            qint16 code = qint16(typed);
            m_window->txtDesignTemp_KeyPress(code);
            if (code == 0)
                return true;
            if (code == KeyBack || (code == typed && !(key->modifiers() & Qt::ControlModifier)))
                return false;
            box->insert(QString(QChar(code)));
            return true;
        }
        case QEvent::MouseButtonPress:
            m_window->txtDesignTemp_MouseDown(vbButton(static_cast<QMouseEvent *>(e)->button()));
            return false;
        case QEvent::MouseButtonRelease:
            m_window->txtDesignTemp_MouseUp(vbButton(static_cast<QMouseEvent *>(e)->button()));
            return false;
        default: return false;
        }
    }

private:
    static int vbButton(Qt::MouseButton button)
    {
        switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
        }
    }

    frmMaterial2 *m_window;
};

void frmMaterial2::ConnectDesignControls()
{
    m_designTempFilter = new DesignTempFilter(this);
    txtDesignTemp->installEventFilter(m_designTempFilter);
    platform::connectGuarded(txtDesignTemp, &QLineEdit::textChanged, this, ErrorPolicy,
                             [this] { txtDesignTemp_Change(); });
}

void frmMaterial2::txtDesignTemp_KeyPress(qint16 &KeyAscii)
{
    QLineEdit *box = txtDesignTemp;
    if (box->hasSelectedText()) {
        m_designDecimals = 0;
        m_designSeparator = false;
        box->setText(QString());
    }
    const int len = int(box->text().length());
    if (len == 6) {
        if (KeyAscii != KeyBack)
            KeyAscii = 0;
        return;
    }
    if (len == 4 && !m_designSeparator) {
        if (KeyAscii != ',' && KeyAscii != '.' && KeyAscii != KeyBack)
            KeyAscii = 0;
        return;
    }

    const int selStart = box->cursorPosition();
    const QString text = box->text();
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        if (m_designDecimals > 0 && selStart > len - 2)
            KeyAscii = 0;
        else if (m_designSeparator)
            m_designDecimals = 1;
    } else if (KeyAscii == '-') {
        if (!text.isEmpty())
            KeyAscii = 0;
    } else if (KeyAscii == ',' || KeyAscii == '.') {
        if (!m_designSeparator && !text.isEmpty() && text != QLatin1String("-") && selStart >= len - 1) {
            KeyAscii = ',';
            m_designSeparator = true;
            if (selStart != len)
                m_designDecimals = 1;
        } else {
            KeyAscii = 0;
        }
    } else if (KeyAscii != KeyBack) {
        KeyAscii = 0;
    }

    if (ProgramWindow *mdi = mainlink::mdi())
        mdi->frmCurrentDesign = this;
}

void frmMaterial2::txtDesignTemp_KeyDown(qint16 KeyCode)
{
    QLineEdit *box = txtDesignTemp;
    const QString text = box->text();
    if (KeyCode == KeyReturn) {
        if (!text.isEmpty() && text != QLatin1String("-"))
            RecalcDesignValues();
        return;
    }
    if ((KeyCode != KeyBack && KeyCode != KeyDelete) || !m_designSeparator)
        return;
    const int len = int(text.length());
    const int end = KeyCode == KeyBack ? len : len - 1;
    const int selStart = box->cursorPosition();
    if (selStart == end) {
        if (m_designDecimals == 0)
            m_designSeparator = false;
        else
            --m_designDecimals;
    } else if (selStart == end - 1 && m_designDecimals != 0) {
        // The key takes the separator away: the digit behind it goes with it.
        m_designSeparator = false;
        --m_designDecimals;
        box->setText(text.left(len - 1));
        box->setCursorPosition(selStart);
    }
}

void frmMaterial2::txtDesignTemp_MouseDown(int Button)
{
    if (Button == 2) {
        if (ProgramWindow *mdi = mainlink::mdi())
            mdi->frmCurrentDesign = this;
    }
}

void frmMaterial2::txtDesignTemp_MouseUp(int Button)
{
    if (Button == 1 && txtDesignTemp->hasSelectedText())
        txtDesignTemp->selectAll();
}

void frmMaterial2::txtDesignTemp_Change()
{
    const QString text = txtDesignTemp->text();
    if (!text.isEmpty() && text != QLatin1String("-"))
        RecalcDesignValues();

    ProgramWindow *mdi = mainlink::mdi();
    if (!mdi || mdi->frmCurrentDesign != this)
        return;
    // Read again: a failed computation above has cleared the box.
    const QString current = txtDesignTemp->text();
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        auto *other = qobject_cast<frmMaterial2 *>(widget);
        if (!other || other == this || !other->txtDesignTemp->isEnabled())
            continue;
        other->txtDesignTemp->setText(current);
        // The copy arrives without keystrokes: its filter state must describe the copied text, or a
        // second separator or decimal could be typed after it.
        const int separator = int(current.indexOf(QLatin1Char(',')));
        other->m_designSeparator = separator >= 0;
        other->m_designDecimals = separator >= 0 && separator < current.length() - 1 ? 1 : 0;
    }
}

QString frmMaterial2::DesignTemperatureText() const
{
    return txtDesignTemp->text();
}
