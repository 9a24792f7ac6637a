// SPDX-License-Identifier: MIT
// The window system asked for in each kind of session: under GNOME and KDE Plasma on
// Wayland the game goes through Xwayland, where the windows keep their places, task bar
// state and icon; a platform the player set, another compositor, or no X server, leave
// Qt's choice.
#include "ui/windowsystem.h"

#include <QTest>

using numora::Session;

Q_DECLARE_METATYPE(Session)

class WindowSystemTest : public QObject {
    Q_OBJECT

private slots:
    void platform_data()
    {
        QTest::addColumn<Session>("session");
        QTest::addColumn<QString>("platform");
        const QString xcb = QStringLiteral("xcb;wayland");
        const Session gnome{"", ":0", "wayland-0", "wayland", "GNOME", "gnome"};
        QTest::newRow("GNOME on Wayland") << gnome << xcb;
        QTest::newRow("Ubuntu's GNOME") << Session{"", ":0", "wayland-0", "wayland", "ubuntu:GNOME", "ubuntu"} << xcb;
        QTest::newRow("GNOME Classic, session desktop only")
            << Session{"", ":1", "wayland-0", "wayland", "", "gnome-classic"} << xcb;
        QTest::newRow("GNOME, no session type") << Session{"", ":0", "wayland-0", "", "GNOME", ""} << xcb;
        QTest::newRow("GNOME, no Wayland socket named") << Session{"", ":0", "", "wayland", "GNOME", ""} << xcb;
        QTest::newRow("player asked for Wayland")
            << Session{"wayland", ":0", "wayland-0", "wayland", "GNOME", ""} << "";
        QTest::newRow("player asked for X11") << Session{"xcb", ":0", "wayland-0", "wayland", "GNOME", ""} << "";
        QTest::newRow("GNOME without Xwayland") << Session{"", "", "wayland-0", "wayland", "GNOME", "gnome"} << "";
        QTest::newRow("GNOME on X11") << Session{"", ":0", "", "x11", "GNOME", "gnome-xorg"} << "";
        QTest::newRow("KDE Plasma 5 on Wayland")
            << Session{"", ":1", "wayland-0", "wayland", "KDE", "plasmawayland"} << xcb;
        QTest::newRow("KDE Plasma 6 on Wayland") << Session{"", ":0", "wayland-0", "wayland", "KDE", "KDE"} << xcb;
        QTest::newRow("KDE Plasma, player asked for Wayland")
            << Session{"wayland", ":0", "wayland-0", "wayland", "KDE", "KDE"} << "";
        QTest::newRow("weston") << Session{"", ":0", "wayland-1", "wayland", "weston", ""} << "";
        QTest::newRow("X11 window manager") << Session{"", ":0", "", "", "", ""} << "";
    }
    void platform()
    {
        QFETCH(Session, session);
        QFETCH(QString, platform);
        QCOMPARE(QString::fromStdString(numora::platformfor(session)), platform);
    }
};

QTEST_APPLESS_MAIN(WindowSystemTest)
#include "windowsystem_test.moc"
