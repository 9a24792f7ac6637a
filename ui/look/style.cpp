// SPDX-License-Identifier: MIT
// The face every window shares: fonts, palette and style, kept from the desktop's themes.
#include "ui/look/style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>

namespace numora::look {

namespace {

QFont font(const QString &family, double points, bool bold)
{
    QFont f(family);
    f.setPixelSize(qRound(points * 96 / 72));
    f.setBold(bold);
    f.setStyleHint(family.contains("Serif") ? QFont::Serif : QFont::SansSerif);
    return f;
}

}  // namespace

QFont sans(double points, bool bold)
{
    return font(QStringLiteral("Liberation Sans"), points, bold);
}
QFont serif(double points, bool bold)
{
    return font(QStringLiteral("Liberation Serif"), points, bold);
}

void preparedesktop()
{
    // A platform theme or style named in the environment (qt6ct and the like) is there
    // to restyle programs, which this one does not allow. Loaded all the same and told
    // to keep off the desktop's settings, qt6ct answers its other hints, the dialog
    // buttons' layout among them, with values it never set.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_STYLE_OVERRIDE");
    QApplication::setDesktopSettingsAware(false);
    // A font resolution above 96 dots per inch (KDE's forced font DPI, a scale factor
    // rounded down) would widen the menu bar's spacing and the style's margins inside a
    // layout that stays in pixels.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
}

QPalette palette()
{
    // Fusion's light palette, written out: the style's own standard palette follows the
    // desktop's colour scheme.
    static const QPalette fixed = [] {
        const QColor face(239, 239, 239);
        const QColor dark = face.darker(150), mid = face.darker(130), shadow = dark.darker(135);
        QPalette p(Qt::black, face, face.lighter(150), dark, mid, Qt::black, Qt::white);
        p.setBrush(QPalette::Midlight, mid.lighter(110));
        p.setBrush(QPalette::Button, face);
        p.setBrush(QPalette::Shadow, shadow);
        p.setBrush(QPalette::HighlightedText, Qt::white);
        const QColor disabledtext(190, 190, 190);
        p.setBrush(QPalette::Disabled, QPalette::Text, disabledtext);
        p.setBrush(QPalette::Disabled, QPalette::WindowText, disabledtext);
        p.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledtext);
        p.setBrush(QPalette::Disabled, QPalette::Base, face);
        p.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
        p.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
        p.setBrush(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
        p.setBrush(QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198));
        p.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
        // Every role counts as set, so nothing is filled in from a desktop palette.
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = QPalette::ColorGroup(group);
                const auto r = QPalette::ColorRole(role);
                p.setBrush(g, r, p.brush(g, r));
            }
        return p;
    }();
    return fixed;
}

namespace {

class Style : public QProxyStyle {
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_MessageBox_CenterButtons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

void setupapplication(QApplication &app)
{
    // Set after the application exists, so they win over QT_STYLE_OVERRIDE and the
    // theme's per-class fonts and palettes.
    app.setStyle(new Style);
    app.setPalette(palette());
    app.setFont(sans(8.25));
    QToolTip::setPalette(palette());
    QToolTip::setFont(sans(8.25));
}

}  // namespace numora::look
