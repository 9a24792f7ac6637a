// SPDX-License-Identifier: MIT
// The announcer: news is said as a notification that appears inside a status bar of
// its own, which Orca speaks wherever the focus is, naming neither its role nor its bar.
// Neither has a widget or any pixel. Qt 6.8 has an event made for this,
// QAccessibleAnnouncementEvent; say() is the one place that would send it instead.
#include "ui/look/announcer.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace numora::accessibility {

namespace {

const char *const kNewsBar = "numora_newsbar";  // the id of a client area's news bar

// The news bar, or the news inside it.
class NewsAccessible : public QAccessibleInterface {
public:
    NewsAccessible(QWidget *client, QAccessible::Role role) : client_(client), role_(role) {}

    bool isValid() const override { return client_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return client_ ? client_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return up_ ? QAccessible::accessibleInterface(up_) : QAccessible::queryAccessibleInterface(client_);
    }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && down_ ? QAccessible::accessibleInterface(down_) : nullptr;
    }
    int childCount() const override { return down_ ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return down_ && child == QAccessible::accessibleInterface(down_) ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? said : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !client_ || !client_->isVisible();
        return s;
    }

    QString said;
    QAccessible::Id up_ = 0, down_ = 0;

private:
    QPointer<QWidget> client_;
    QAccessible::Role role_;
};

// Sends the words to the reader.
void say(NewsAccessible *news, const QString &words)
{
    news->said = words;
    QAccessibleEvent named(news, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(news, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

// Holds the news until the current event is done and the focus has settled.
class Herald : public QObject {
public:
    static Herald &instance()
    {
        static QPointer<Herald> herald;
        if (!herald)
            herald = new Herald(qApp);
        return *herald;
    }

    void sethost(QWidget *client)
    {
        if (client->property(kNewsBar).isValid())
            return;
        auto *bar = new NewsAccessible(client, QAccessible::StatusBar);
        auto *news = new NewsAccessible(client, QAccessible::Notification);
        const QAccessible::Id barid = QAccessible::registerAccessibleInterface(bar);
        news_ = QAccessible::registerAccessibleInterface(news);
        bar->down_ = news_;
        news->up_ = barid;
        client->setProperty(kNewsBar, barid);
        connect(client, &QObject::destroyed, this, [this, barid] {
            QAccessible::deleteAccessibleInterface(news_);
            QAccessible::deleteAccessibleInterface(barid);
            news_ = 0;
        });
    }

    void focuslater(QWidget *control)
    {
        ++focuses_;
        QTimer::singleShot(0, this, [this, control = QPointer<QWidget>(control)] {
            if (control && control->isEnabled() && control->isVisible())
                control->setFocus(Qt::OtherFocusReason);
            --focuses_;
            schedule();
        });
    }

    void add(const QString &news, const QString &topic)
    {
        if (!topic.isEmpty())
            pending_.removeIf([&](const auto &item) { return item.first == topic; });
        pending_.append({topic, news});
        schedule();
    }

private:
    explicit Herald(QObject *parent) : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this, [this] {
            if (!pending_.isEmpty())
                schedule();
        });
        waited_.setSingleShot(true);
        connect(&waited_, &QTimer::timeout, this, [this] { flush(true); });
    }

    void schedule()
    {
        if (scheduled_)
            return;
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            scheduled_ = false;
            flush(false);
        });
    }

    // A focus that is nowhere, or on a control that is being locked, is waited for a
    // moment: a window that opens takes it only when the window manager says so.
    void flush(bool anyway)
    {
        if (pending_.isEmpty() || !news_ || focuses_ > 0)
            return;
        const QWidget *focus = QApplication::focusWidget();
        if (!anyway && (!focus || !focus->isEnabled() || !focus->isVisible())) {
            if (!waited_.isActive())
                waited_.start(kFocusWait);
            return;
        }
        waited_.stop();
        QStringList said;
        for (const auto &item : std::as_const(pending_))
            said << item.second;
        pending_.clear();
        say(static_cast<NewsAccessible *>(QAccessible::accessibleInterface(news_)), said.join(QStringLiteral(". ")));
    }

    static constexpr int kFocusWait = 400;  // ms

    QList<std::pair<QString, QString>> pending_;  // topic and words, oldest first
    QAccessible::Id news_ = 0;
    QTimer waited_;
    int focuses_ = 0;  // focus moves still to come
    bool scheduled_ = false;
};

}  // namespace

void announce(const QString &news, const QString &topic)
{
    if (!news.isEmpty())
        Herald::instance().add(news, topic);
}

void newsarea(QWidget *client)
{
    Herald::instance().sethost(client);
}

QAccessibleInterface *newsbar(const QWidget *client)
{
    const QVariant id = client->property(kNewsBar);
    return id.isValid() ? QAccessible::accessibleInterface(id.value<QAccessible::Id>()) : nullptr;
}

void focuslater(QWidget *control)
{
    Herald::instance().focuslater(control);
}

}  // namespace numora::accessibility
