// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "boards.h"
#include "endwindows.h"
#include "form2.h"
#include "look/widgets.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <vector>

namespace numora::accessibility {

namespace {

const char *const kMarked = "numora_marked";  // a keypad button that can be checked
const char *const kMarkWord = "numora_markword";
const char *const kDisplay = "numora_display";
const char *const kNewsBar = "numora_newsbar";  // the id of the client area's news bar

// Text that a screen reader reads but no one edits: no caret, no selection.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        const QString all = plaintext();
        if (end < 0 || end > all.size())
            end = int(all.size());
        return start >= 0 && start < end ? all.mid(start, end - start) : QString();
    }
    int characterCount() const override { return int(plaintext().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

protected:
    virtual QString plaintext() const = 0;
};

// A display: named after its frame, its text is what it shows. It remembers what was
// last reported, so that a change is told as the digits typed or removed.
class DisplayAccessible : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit DisplayAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText), reported(label->text())
    {
    }

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

    QString reported;

protected:
    QString plaintext() const override { return label()->text(); }

private:
    QLabel *label() const { return static_cast<QLabel *>(widget()); }
};

// A keypad button whose mark (a digit in use, a chosen count) is its checked state. It
// stays an ordinary push button: the button itself is not checkable, as it would then
// draw itself sunken.
class KeypadButtonAccessible : public QAccessibleWidget {
public:
    explicit KeypadButtonAccessible(look::ColorButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    std::function<bool()> ismarked;
    bool marked() const { return ismarked && ismarked(); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return button()->accessibleName().isEmpty() ? button()->text().remove(QLatin1Char('&'))
                                                        : button()->accessibleName();
        case QAccessible::Description:
            return marked() ? button()->property(kMarkWord).toString() : QAccessibleWidget::text(t);
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = marked();
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
    look::ColorButton *button() const { return static_cast<look::ColorButton *>(widget()); }
};

// One text line of a board. Rows have no widget of their own; the board owns them.
class RowAccessible : public QAccessibleInterface {
public:
    RowAccessible(ProgressBoard *board, int line) : board_(board), line_(line) {}

    bool isValid() const override { return board_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return board_ ? board_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(board_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!board_ || line_ >= board_->rows().size())
            return {};
        if (t == QAccessible::Name)
            return boardrow(board_->rows()[line_]);
        if (t == QAccessible::Description)
            return spokenrow(board_->rows()[line_]);
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!board_)
            return {};
        const QFontMetrics metrics(board_->font());
        const QRect inside = board_->contentsRect();
        const QRect line(inside.left(), inside.top() + ProgressBoard::linetop(metrics, line_), inside.width(),
                         metrics.height());
        return QRect(board_->mapToGlobal(line.topLeft()), line.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !board_ || !board_->isVisible();
        return s;
    }

private:
    QPointer<ProgressBoard> board_;
    int line_;
};

// A board read as a list, one item per row, named by the caption under it.
class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(ProgressBoard *board) : QAccessibleWidget(board, QAccessible::List) {}
    // Run while the board is being destroyed: the rows go silently, since telling of
    // them would read a board that is only a QWidget by now.
    ~BoardAccessible() override
    {
        for (QAccessible::Id id : rows_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(board()->rows().size()); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (int(rows_.size()) <= index)
            rows_.push_back(QAccessible::registerAccessibleInterface(new RowAccessible(board(), int(rows_.size()))));
        return QAccessible::accessibleInterface(rows_[index]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < int(rows_.size()); ++i)
            if (QAccessible::accessibleInterface(rows_[i]) == child)
                return i;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }

    // The rows are gone from the board; their interfaces go too, after a last word.
    void forgetrows()
    {
        for (QAccessible::Id id : rows_) {
            QAccessibleEvent gone(QAccessible::accessibleInterface(id), QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&gone);
            QAccessible::deleteAccessibleInterface(id);
        }
        rows_.clear();
    }

private:
    ProgressBoard *board() const { return static_cast<ProgressBoard *>(widget()); }

    mutable std::vector<QAccessible::Id> rows_;
};

// A window's client area without the decoration painted on it: the row numbers beside
// the boards (each row already stands in its place in the list) and the outlines.
class ClientAccessible : public QAccessibleWidget {
public:
    explicit ClientAccessible(QWidget *client) : QAccessibleWidget(client, QAccessible::Client) {}

    // The news bar, if the client has one, comes after the widgets.
    int childCount() const override { return int(children().size()) + (newsbar() ? 1 : 0); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> list = children();
        if (index == list.size())
            return newsbar();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child == newsbar())
            return int(children().size());
        return child ? int(children().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

    static bool isdecoration(const QObject *o)
    {
        return qobject_cast<const RowNumbers *>(o) || qobject_cast<const Outline *>(o);
    }

private:
    QAccessibleInterface *newsbar() const
    {
        const QVariant id = widget()->property(kNewsBar);
        return id.isValid() ? QAccessible::accessibleInterface(id.value<QAccessible::Id>()) : nullptr;
    }
    QList<QWidget *> children() const
    {
        QList<QWidget *> list;
        for (QObject *o : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !isdecoration(w))
                list.append(w);
        return list;
    }
};

// The help page, painted from rich text, read as its plain text: a read-only text whose
// lines are the lines on the page, each where it is drawn, so that a reader's review
// finds them; its caret, never drawn, moves by lines with the arrow keys.
class HelpPageAccessible : public QAccessibleWidget, public ReadOnlyText, public QObject {
public:
    explicit HelpPageAccessible(HelpPage *page) : QAccessibleWidget(page, QAccessible::EditableText)
    {
        page->installEventFilter(this);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        const QString base = QAccessibleWidget::text(t);
        return t == QAccessible::Name && base.isEmpty() ? page()->window()->windowTitle() : base;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int cursorPosition() const override { return caret_; }
    void setCursorPosition(int position) override { caret_ = qBound(0, position, characterCount()); }
    QRect characterRect(int offset) const override
    {
        const QTextLine line = lineat(offset);
        if (!line.isValid())
            return {};
        const QTextBlock block = page()->document().findBlock(offset);
        const int at = offset - block.position();
        const qreal left = line.cursorToX(at), right = line.cursorToX(at + 1);
        QRectF box(qMin(left, right), line.y(), qMax<qreal>(1, qAbs(right - left)), line.height());
        box.translate(page()->document().documentLayout()->blockBoundingRect(block).topLeft());
        const QRect drawn = box.toAlignedRect().translated(page()->contentsRect().topLeft());
        return QRect(page()->mapToGlobal(drawn.topLeft()), drawn.size());
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        if (type != QAccessible::LineBoundary)
            return ReadOnlyText::textAtOffset(offset, type, start, end);
        return linetext(offset, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        if (type != QAccessible::LineBoundary)
            return ReadOnlyText::textBeforeOffset(offset, type, start, end);
        int from = 0, to = 0;
        linetext(offset, &from, &to);
        if (from == 0) {
            *start = *end = -1;
            return {};
        }
        return linetext(from - 1, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        if (type != QAccessible::LineBoundary)
            return ReadOnlyText::textAfterOffset(offset, type, start, end);
        int from = 0, to = 0;
        linetext(offset, &from, &to);
        if (to >= characterCount()) {
            *start = *end = -1;
            return {};
        }
        return linetext(to, start, end);
    }

protected:
    QString plaintext() const override { return page()->document().toPlainText(); }

    // Up, Down, Home, End, Page Up and Page Down move the caret by lines and tell it.
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        int from = 0, to = 0;
        linetext(caret_, &from, &to);
        int next = caret_;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Down:
            next = to < characterCount() ? to : caret_;
            break;
        case Qt::Key_Up:
            next = from > 0 ? (linetext(from - 1, &from, &to), from) : caret_;
            break;
        case Qt::Key_Home:
        case Qt::Key_PageUp:
            next = 0;
            break;
        case Qt::Key_End:
        case Qt::Key_PageDown:
            next = int(plaintext().lastIndexOf(QLatin1Char('\n')) + 1);
            break;
        default:
            return false;
        }
        caret_ = next;
        QAccessibleTextCursorEvent moved(page(), caret_);
        QAccessible::updateAccessibility(&moved);
        return true;
    }

private:
    HelpPage *page() const { return static_cast<HelpPage *>(widget()); }

    QTextLine lineat(int offset) const
    {
        const QTextBlock block = page()->document().findBlock(offset);
        if (!block.isValid() || !block.layout())
            return {};
        return block.layout()->lineForTextPosition(offset - block.position());
    }
    // The drawn line holding `offset`, its line break included.
    QString linetext(int offset, int *start, int *end) const
    {
        const int count = characterCount();
        offset = qBound(0, offset, qMax(0, count - 1));
        const QTextBlock block = page()->document().findBlock(offset);
        const QTextLine line = lineat(offset);
        if (!line.isValid()) {
            *start = *end = offset;
            return {};
        }
        *start = block.position() + line.textStart();
        *end = qMin(count, *start + line.textLength() + (line.lineNumber() + 1 == block.layout()->lineCount() ? 1 : 0));
        return plaintext().mid(*start, *end - *start);
    }

    int caret_ = 0;
};

// A message box or an end window: an alert, which Orca reads whole as it appears, each
// of its labels once, short ones ("Play again?") included.
class AlertAccessible : public QAccessibleWidget {
public:
    explicit AlertAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::AlertMessage) {}
};

QAccessibleInterface *factory(const QString &classname, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *board = qobject_cast<ProgressBoard *>(widget))
        return new BoardAccessible(board);
    if (auto *page = qobject_cast<HelpPage *>(widget))
        return new HelpPageAccessible(page);
    if (qobject_cast<QMessageBox *>(widget) || qobject_cast<EndWindow *>(widget))
        return new AlertAccessible(widget);
    if (auto *button = qobject_cast<look::ColorButton *>(widget); button && button->property(kMarked).toBool())
        return new KeypadButtonAccessible(button);
    if (auto *label = qobject_cast<QLabel *>(widget); label && label->property(kDisplay).toBool())
        return new DisplayAccessible(label);
    // Asked for each class from the most derived up; a plain QWidget is asked as such.
    if (classname == QLatin1String("QWidget") && widget->metaObject() == &QWidget::staticMetaObject) {
        for (QObject *child : widget->children())
            if (ClientAccessible::isdecoration(child))
                return new ClientAccessible(widget);
    }
    return nullptr;
}

// Qt keeps the first interface made for an object; one made before the widget was
// marked is replaced, so that the mark counts from now on.
template <typename Interface> Interface *renew(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    if (auto *ours = dynamic_cast<Interface *>(iface))
        return ours;
    if (iface)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
    return dynamic_cast<Interface *>(QAccessible::queryAccessibleInterface(widget));
}

void announceboard(ProgressBoard *board, int line)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(board);
    if (!iface || line >= iface->childCount())
        return;
    QAccessibleEvent created(iface->child(line), QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&created);
}

// What the program has just said: a notification, shown inside a status bar of its own
// that holds nothing else. Orca speaks a notification as it appears, wherever the focus
// is, and names neither its role nor its bar. Neither has a widget or any pixel.
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

// Says what is to be said once the current event is done and the focus has settled, so
// that the reader's words for the focus come first and do not cut the news off.
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

    // Gives `control` the focus once the current event is done; what is to be said
    // waits for it, so that the reader names the control first.
    void focuslater(QWidget *control)
    {
        ++focuses_;
        QTimer::singleShot(0, this, [this, control = QPointer<QWidget>(control)] {
            if (control && control->isEnabled() && control->isVisible())
                control->setFocus(Qt::OtherFocusReason);
            --focuses_;
            schedule(0);
        });
    }

    void add(const QString &news, const QString &topic)
    {
        if (!topic.isEmpty())
            pending_.removeIf([&](const auto &item) { return item.first == topic; });
        pending_.append({topic, news});
        schedule(0);
    }

private:
    explicit Herald(QObject *parent) : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this, [this] {
            if (!pending_.isEmpty())
                schedule(0);
        });
        waited_.setSingleShot(true);
        connect(&waited_, &QTimer::timeout, this, [this] { flush(true); });
    }

    void schedule(int ms)
    {
        if (scheduled_)
            return;
        scheduled_ = true;
        QTimer::singleShot(ms, this, [this] {
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
        auto *news = static_cast<NewsAccessible *>(QAccessible::accessibleInterface(news_));
        news->said = said.join(QStringLiteral(". "));
        QAccessibleEvent named(news, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent shown(news, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

    static constexpr int kFocusWait = 400;  // ms

    QList<std::pair<QString, QString>> pending_;  // topic and words, oldest first
    QAccessible::Id news_ = 0;
    QTimer waited_;
    int focuses_ = 0;  // focus moves still to come
    bool scheduled_ = false;
};

void forgetboard(ProgressBoard *board)
{
    if (auto *iface = dynamic_cast<BoardAccessible *>(QAccessible::queryAccessibleInterface(board)))
        iface->forgetrows();
}

}  // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void markdisplay(QLabel *display)
{
    display->setProperty(kDisplay, true);
    renew<DisplayAccessible>(display);
}

void markbutton(look::ColorButton *button, std::function<bool()> marked, const QString &word, Choice choice)
{
    button->setProperty(kMarked, true);
    button->setProperty(kMarkWord, word);
    auto *iface = renew<KeypadButtonAccessible>(button);
    if (iface)
        iface->ismarked = std::move(marked);
    const auto was = std::make_shared<bool>(iface && iface->marked());
    QObject::connect(button, &look::ColorButton::colorchanged, button, [button, was, choice] {
        auto *iface = dynamic_cast<KeypadButtonAccessible *>(QAccessible::queryAccessibleInterface(button));
        if (!iface || iface->marked() == *was)
            return;
        *was = iface->marked();
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(button, changed);
        QAccessible::updateAccessibility(&event);
        // A choice the player makes is told wherever the focus is; one that the window
        // makes as an entry opens, while the focus is on no open control yet, is not.
        const QWidget *focus = QApplication::focusWidget();
        if (choice == Choice::Told && *was && button->isEnabled() && focus && focus->isEnabled() &&
            focus->window() == button->window()) {
            announce(iface->text(QAccessible::Name) + QLatin1Char(' ') + button->property(kMarkWord).toString());
            return;
        }
        QAccessibleEvent described(button, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    });
}

void markboard(ProgressBoard *board, const QString &whose, const QString &topic)
{
    renew<ClientAccessible>(board->parentWidget());
    renew<BoardAccessible>(board);
    QObject::connect(board, &ProgressBoard::rowadded, board, [board, whose, topic](int line) {
        announceboard(board, line);
        announce(whose + QLatin1Char(' ') + spokenrow(board->rows().at(line)), topic);
    });
    QObject::connect(board, &ProgressBoard::cleared, board, [board] { forgetboard(board); });
}

std::optional<QString> textchanged(QLabel *display)
{
    auto *iface = dynamic_cast<DisplayAccessible *>(QAccessible::queryAccessibleInterface(display));
    if (!iface)
        return std::nullopt;
    QString before = iface->reported;
    const QString now = display->text();
    if (before == now)
        return std::nullopt;
    iface->reported = now;
    if (now.startsWith(before)) {
        QAccessibleTextInsertEvent event(display, int(before.size()), now.mid(before.size()));
        QAccessible::updateAccessibility(&event);
    } else if (before.startsWith(now)) {
        QAccessibleTextRemoveEvent event(display, int(now.size()), before.mid(now.size()));
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(display, 0, before, now);
        QAccessible::updateAccessibility(&event);
    }
    return before;
}

void focuslater(QWidget *control)
{
    Herald::instance().focuslater(control);
}

void newsarea(QWidget *client)
{
    renew<ClientAccessible>(client);
    Herald::instance().sethost(client);
}

void readboard(ProgressBoard *board)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(board);
    const QString name = iface ? iface->text(QAccessible::Name) : QString();
    QStringList rows;
    for (const AnsweredGuess &row : board->rows())
        rows << spokenrow(row);
    announce(QStringLiteral("%1: %2").arg(name, rows.isEmpty() ? QStringLiteral("no rows yet")
                                                               : rows.join(QStringLiteral(". "))),
             name);
}

void announce(const QString &news, const QString &topic)
{
    if (!news.isEmpty())
        Herald::instance().add(news, topic);
}

}  // namespace numora::accessibility
