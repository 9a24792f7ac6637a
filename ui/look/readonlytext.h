// SPDX-License-Identifier: MIT
// The text interface of a text that a screen reader reads but no one edits: no caret,
// no selection. Interfaces of the program's labels and pages derive from it.
#pragma once

#include <QAccessibleTextInterface>
#include <QRect>
#include <QString>

namespace numora::look {

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

}  // namespace numora::look
