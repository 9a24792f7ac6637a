// SPDX-License-Identifier: MIT
// The accessible interfaces of the shared widgets; see accessible.h.
#include "ui/look/accessible.h"

#include "ui/look/readonlytext.h"
#include "ui/look/widgets.h"

#include <QAccessibleWidget>

namespace numora::look {

namespace {

// A label read as its text, and named after its frame when it has no name of its own.
class ReadLabelAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit ReadLabelAccessible(ReadLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return label()->text();
        const QString base = QAccessibleWidget::text(t);
        return t == QAccessible::Name && base.isEmpty() ? label()->text() : base;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

protected:
    QString plaintext() const override { return label()->text(); }

private:
    ReadLabel *label() const { return static_cast<ReadLabel *>(widget()); }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *label = qobject_cast<ReadLabel *>(object))
        return new ReadLabelAccessible(label);
    if (qobject_cast<Alert *>(object))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::AlertMessage);
    return nullptr;
}

}  // namespace

void installfactory(QAccessible::InterfaceFactory factory)
{
    static QList<QAccessible::InterfaceFactory> installed;
    if (installed.contains(factory))
        return;
    installed.append(factory);
    QAccessible::installFactory(factory);
}

void installaccessible()
{
    installfactory(factory);
}

}  // namespace numora::look
