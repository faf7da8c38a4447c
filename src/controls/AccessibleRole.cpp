#include "controls/AccessibleRole.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QToolButton>

namespace controls {

namespace {

const char *const RoleProperty = "velkorAccessibleRole";

class RoledButton : public QAccessibleWidget
{
public:
    RoledButton(QAbstractButton *button, QAccessible::Role role) : QAccessibleWidget(button, role) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto *b = button();
        const bool check = role() == QAccessible::CheckBox;
        s.checkable = check;
        s.checked = check && b->isChecked();
        s.pressed = !check && (b->isDown() || b->isChecked());
        s.hasPopup = role() == QAccessible::ButtonMenu;
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = {role() == QAccessible::CheckBox ? toggleAction() : pressAction()};
        if (role() == QAccessible::ButtonMenu)
            names << showMenuAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (!widget()->isEnabled())
            return;
        if (name == pressAction() || name == toggleAction())
            button()->click();
        else if (name == showMenuAction()) {
            if (auto *tool = qobject_cast<QToolButton *>(button()))
                tool->showMenu();
        } else
            QAccessibleWidget::doAction(name);
    }

private:
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
};

QAccessibleInterface *roledFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const QVariant role = widget ? widget->property(RoleProperty) : QVariant();
    if (!role.isValid())
        return nullptr;
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return new RoledButton(button, QAccessible::Role(role.toInt()));
    return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
}

void setRole(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(roledFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(RoleProperty, int(role));
}

} // namespace

void setButtonRole(QAbstractButton *button, QAccessible::Role role)
{
    setRole(button, role);
}

void setWindowRole(QWidget *window, QAccessible::Role role)
{
    setRole(window, role);
}

} // namespace controls
