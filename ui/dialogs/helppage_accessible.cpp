// SPDX-License-Identifier: MIT
// The help page as a screen reader reads it: the page is painted from rich text and read
// as its plain text, a read-only text whose lines are the lines on the page, each where
// it is drawn, so that a reader's review finds them. Its caret, never drawn, moves by
// lines with the arrow keys.
#include "ui/dialogs/form2.h"

#include "ui/look/accessible.h"
#include "ui/look/readonlytext.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace numora {

namespace {

class HelpPageAccessible : public QAccessibleWidget, public look::ReadOnlyText, public QObject {
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

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *page = qobject_cast<HelpPage *>(object);
    return page ? new HelpPageAccessible(page) : nullptr;
}

}  // namespace

void HelpPage::installaccessible()
{
    look::installfactory(factory);
}

}  // namespace numora
