// SPDX-License-Identifier: MIT
// The announcer: each window's news is held until the focus has settled, then said
// through its voice (Voice::say()): on Qt 6.8 as an announcement, the event made for
// it; on Qt 6.4 as a notification that appears inside a status bar of the window's own.
// Neither has a widget or any pixel.
#include "ui/look/announcer.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <utility>

namespace numora::accessibility {

namespace {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

// Says news as an announcement of a window's client area, the event made for it.
class Voice {
public:
    explicit Voice(QWidget *client) : client_(client) {}

    QAccessibleInterface *bar() const { return nullptr; }  // none: the event needs none

    // Sends the words to the reader. Orca 48 (Debian 13, with Qt 6.8.2) speaks an
    // announcement as its words alone, wherever the focus is, also when it comes from
    // the game window while an end window has the focus; a notification in a status
    // bar it speaks after the word "notification".
    void say(const QString &words) const
    {
        QAccessibleAnnouncementEvent announced(client_, words);
        QAccessible::updateAccessibility(&announced);
    }

private:
    QWidget *client_;
};

#else

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

// Says news as a notification that appears in a status bar of a window's client area;
// Qt 6.4 has no event made for it. The bar and the notification live as long as the
// voice.
class Voice {
public:
    explicit Voice(QWidget *client)
    {
        auto *bar = new NewsAccessible(client, QAccessible::StatusBar);
        auto *news = new NewsAccessible(client, QAccessible::Notification);
        bar_ = QAccessible::registerAccessibleInterface(bar);
        news_ = QAccessible::registerAccessibleInterface(news);
        bar->down_ = news_;
        news->up_ = bar_;
    }
    ~Voice()
    {
        QAccessible::deleteAccessibleInterface(news_);
        QAccessible::deleteAccessibleInterface(bar_);
    }
    Voice(const Voice &) = delete;
    Voice &operator=(const Voice &) = delete;

    QAccessibleInterface *bar() const { return QAccessible::accessibleInterface(bar_); }

    // Sends the words to the reader. Orca 43 speaks the notification as its words alone.
    void say(const QString &words) const
    {
        auto *news = static_cast<NewsAccessible *>(QAccessible::accessibleInterface(news_));
        news->said = words;
        QAccessibleEvent named(news, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent shown(news, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

private:
    QAccessible::Id bar_ = 0, news_ = 0;
};

#endif

// One window's voice and the news it has still to say. A child of the window's client
// area, it goes with it, and so do its news and its voice.
class NewsArea : public QObject {
public:
    explicit NewsArea(QWidget *client) : QObject(client), voice_(client) { setObjectName(QLatin1String(kName)); }

    static constexpr const char *kName = "numora_newsarea";

    QAccessibleInterface *bar() const { return voice_.bar(); }

    void add(const QString &news, const QString &topic)
    {
        if (!topic.isEmpty())
            pending_.removeIf([&](const auto &item) { return item.first == topic; });
        pending_.append({topic, news});
    }

    // Says the news held, oldest first, in one breath.
    void speak()
    {
        QStringList words;
        for (const auto &item : std::as_const(pending_))
            words << item.second;
        pending_.clear();
        if (!words.isEmpty())
            voice_.say(words.join(QStringLiteral(". ")));
    }

private:
    Voice voice_;
    QList<std::pair<QString, QString>> pending_;  // topic and words, oldest first
};

// The news area of `client`, or of any client area in `window`.
NewsArea *areaof(const QWidget *client)
{
    return dynamic_cast<NewsArea *>(client->findChild<QObject *>(NewsArea::kName, Qt::FindDirectChildrenOnly));
}
NewsArea *areain(const QWidget *window)
{
    return dynamic_cast<NewsArea *>(window->findChild<QObject *>(NewsArea::kName));
}

// Holds the news of every window until the current event is done and the window system
// has settled the focus. A window that is shown takes the focus only when the window
// manager activates it, which the program learns as a change of the focus; until then
// the focus is nowhere, or on a control of a window that is being locked.
class Herald : public QObject {
public:
    static Herald &instance()
    {
        static QPointer<Herald> herald;
        if (!herald)
            herald = new Herald(qApp);
        return *herald;
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

    void add(NewsArea *area, const QString &news, const QString &topic)
    {
        area->add(news, topic);
        if (!waiting_.contains(area))
            waiting_.append(area);
        schedule();
    }

private:
    explicit Herald(QObject *parent) : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this, &Herald::schedule);
        connect(qApp, &QGuiApplication::focusWindowChanged, this, &Herald::schedule);
        unsettled_.setSingleShot(true);
        connect(&unsettled_, &QTimer::timeout, this, [this] { flush(true); });
    }

    void schedule()
    {
        if (scheduled_ || waiting_.isEmpty())
            return;
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            scheduled_ = false;
            flush(false);
        });
    }

    // No focus move is to come, and the focus is on a control that can be used.
    bool settled() const
    {
        const QWidget *focus = QApplication::focusWidget();
        return focuses_ == 0 && focus && focus->isEnabled() && focus->isVisible();
    }

    // On a desktop that never gives the focus, news is said after a while all the same.
    void flush(bool anyway)
    {
        if (!anyway && !settled()) {
            if (!unsettled_.isActive())
                unsettled_.start(kUnsettledWait);
            return;
        }
        unsettled_.stop();
        for (const QPointer<NewsArea> &area : std::exchange(waiting_, {}))
            if (area)
                area->speak();
    }

    static constexpr std::chrono::seconds kUnsettledWait{5};

    QList<QPointer<NewsArea>> waiting_;  // the windows with news to say
    QTimer unsettled_;
    int focuses_ = 0;  // focus moves still to come
    bool scheduled_ = false;
};

}  // namespace

void announce(const QWidget *from, const QString &news, const QString &topic)
{
    NewsArea *area = areain(from->window());
    if (area && !news.isEmpty())
        Herald::instance().add(area, news, topic);
}

void newsarea(QWidget *client)
{
    if (!areaof(client))
        new NewsArea(client);
}

QAccessibleInterface *newsbar(const QWidget *client)
{
    const NewsArea *area = areaof(client);
    return area ? area->bar() : nullptr;
}

void focuslater(QWidget *control)
{
    Herald::instance().focuslater(control);
}

}  // namespace numora::accessibility
