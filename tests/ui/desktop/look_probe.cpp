// SPDX-License-Identifier: MIT
// Renders every kind of window the program shows into PNG files, so that runs under
// different desktop themes, styles and fonts can be compared pixel for pixel.
//   look_probe DIR   writes DIR/main.png (after New and a typed guess), menu.png,
//                    tooltip.png, message.png, about.png, help.png and won.png
#include "ui/dialogs/endwindows.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/frmabout.h"
#include "ui/look/messagebox.h"
#include "ui/look/style.h"
#include "ui/main_window/form1.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolTip>

#include <cstdio>
#include <memory>

namespace {

bool save(QWidget *window, const QString &dir, const char *name)
{
    window->ensurePolished();
    if (window->grab().toImage().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")))
        return true;
    std::fprintf(stderr, "look_probe: cannot write %s.png in %s\n", name, qPrintable(dir));
    return false;
}

}  // namespace

int main(int argc, char *argv[])
{
    numora::look::preparedesktop();
    QApplication app(argc, argv);
    numora::look::setupapplication(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: look_probe DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    // The desktop's theme applies its settings once the event loop runs.
    QApplication::processEvents();

    numora::Form1 form(std::uint64_t{7});
    form.findChild<QAction *>(QStringLiteral("newgame"))->trigger();
    for (const char *name : {"Command1", "Command2", "Command3"})
        form.findChild<QPushButton *>(QLatin1String(name))->click();
    QApplication::processEvents();
    bool ok = save(&form, dir, "main");

    auto *game = form.findChild<QMenu *>(QStringLiteral("game"));
    game->popup(form.mapToGlobal(QPoint(0, form.menuBar()->height())));
    ok = save(game, dir, "menu") && ok;
    game->hide();

    auto *confirm = form.findChild<QPushButton *>(QStringLiteral("Command12"));
    QToolTip::showText(confirm->mapToGlobal(QPoint()), QStringLiteral("Move your mouse on the picture!"), confirm);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            ok = save(w, dir, "tooltip") && ok;
    QToolTip::hideText();

    auto box = std::make_unique<numora::look::MessageBox>(QStringLiteral("You have tried that number before!"));
    ok = save(box.get(), dir, "message") && ok;
    numora::frmAbout about;
    ok = save(&about, dir, "about") && ok;
    numora::Form2 help;
    ok = save(&help, dir, "help") && ok;
    numora::frmUwin won;
    ok = save(&won, dir, "won") && ok;
    return ok ? 0 : 1;
}
