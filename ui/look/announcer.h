// SPDX-License-Identifier: MIT
// The announcer: what the program says to a screen reader, wherever the focus is. The
// code where something happens calls announce() once with the words for it.
//   accessibility::newsarea(client);                      // once, for each window that speaks
//   accessibility::announce(this, QStringLiteral("cleared"), topic);
#pragma once

#include <QString>

class QAccessibleInterface;
class QWidget;

namespace numora::accessibility {

// Says `news` through the news bar of the window that `from` is in, once the current
// event is done and the window system has settled the focus: a reader's words for the
// focus, and for a window that has just appeared, come first. News on a `topic`
// replaces news on the same topic not said yet: only the latest state of a guess is
// worth hearing. News of a window that has no news bar, or that goes before the focus
// settles, goes unsaid.
void announce(const QWidget *from, const QString &news, const QString &topic = {});

// Makes `client` (a window's client area) the place through which announce() speaks for
// its window. What it holds, news not said yet and any news bar, lives as long as
// `client`.
void newsarea(QWidget *client);

// The news bar of `client`, which its accessible interface lists after its widgets;
// nullptr when it has none. On Qt 6.8 news needs no bar.
QAccessibleInterface *newsbar(const QWidget *client);

// Gives `control` the keyboard focus once the current event is done, if it can still
// take it; news waits for it. A menu whose command opened an entry still holds the
// focus until then, and a focus moved under it leaves a screen reader waiting.
void focuslater(QWidget *control);

}  // namespace numora::accessibility
