// SPDX-License-Identifier: MIT
// The boards as a screen reader reads them: each a list, one item per row, named by the
// caption under it; and the client area without its decoration.
#include "ui/main_window/boards.h"

#include "ui/look/accessible.h"
#include "ui/look/announcer.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace numora {

namespace {

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
        if (!board_)
            return {};
        const std::vector<AnsweredGuess> rows = board_->rows();
        if (line_ >= int(rows.size()))
            return {};
        if (t == QAccessible::Name)
            return boardrow(rows[line_]);
        if (t == QAccessible::Description)
            return spokenrow(rows[line_]);
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

bool isdecoration(const QObject *o)
{
    return qobject_cast<const RowNumbers *>(o) || qobject_cast<const Outline *>(o);
}

class ClientAccessible : public QAccessibleWidget {
public:
    explicit ClientAccessible(ClientArea *client) : QAccessibleWidget(client, QAccessible::Client) {}

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

private:
    QAccessibleInterface *newsbar() const { return accessibility::newsbar(widget()); }
    QList<QWidget *> children() const
    {
        QList<QWidget *> list;
        for (QObject *o : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !isdecoration(w))
                list.append(w);
        return list;
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *board = qobject_cast<ProgressBoard *>(object))
        return new BoardAccessible(board);
    if (auto *client = qobject_cast<ClientArea *>(object))
        return new ClientAccessible(client);
    return nullptr;
}

}  // namespace

void ProgressBoard::rowadded()
{
    update();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(this);
    const int line = int(rows().size()) - 1;
    if (!iface || line < 0 || line >= iface->childCount())
        return;
    QAccessibleEvent created(iface->child(line), QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&created);
}

void ProgressBoard::cleared()
{
    update();
    if (auto *iface = dynamic_cast<BoardAccessible *>(QAccessible::queryAccessibleInterface(this)))
        iface->forgetrows();
}

void ProgressBoard::installaccessible()
{
    look::installfactory(factory);
}

}  // namespace numora
