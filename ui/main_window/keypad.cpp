// SPDX-License-Identifier: MIT
// A keypad button and what a screen reader reads of it; see keypad.h.
#include "ui/main_window/keypad.h"

#include "ui/look/accessible.h"

#include <QAccessibleWidget>

namespace numora {

namespace {

// The mark is the button's checked state. It stays an ordinary push button: the button
// itself is not checkable, as it would then draw itself sunken.
class KeypadButtonAccessible : public QAccessibleWidget {
public:
    explicit KeypadButtonAccessible(KeypadButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return button()->accessibleName().isEmpty() ? button()->text().remove(QLatin1Char('&'))
                                                        : button()->accessibleName();
        case QAccessible::Description:
            return button()->marked() ? button()->markword() : QAccessibleWidget::text(t);
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->marked();
        s.pressed = button()->isDown();
        s.defaultButton = button()->isDefault();
        return s;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (button()->isEnabled())
            button()->animateClick();  // as a press of Qt's own buttons
    }

private:
    KeypadButton *button() const { return static_cast<KeypadButton *>(widget()); }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *button = qobject_cast<KeypadButton *>(object);
    return button ? new KeypadButtonAccessible(button) : nullptr;
}

}  // namespace

KeypadButton::KeypadButton(const QString &text, QString word, QWidget *parent)
    : ColorButton(parent), word_(std::move(word))
{
    setText(text);
}

bool KeypadButton::setmarked(bool marked, Told told)
{
    if (marked == marked_)
        return false;
    marked_ = marked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
    if (told == Told::Described) {
        QAccessibleEvent described(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
    return true;
}

void KeypadButton::installaccessible()
{
    look::installfactory(factory);
}

}  // namespace numora
