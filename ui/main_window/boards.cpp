// SPDX-License-Identifier: MIT
// The boards, their row numbers and the outlines, as they are drawn.
#include "ui/main_window/boards.h"

#include "ui/look/devicepixels.h"

#include <QPainter>

namespace numora {

QString boardrow(const AnsweredGuess &row)
{
    QString text = QLatin1Char(' ') + QString::fromStdString(textform(row.guess)) + QLatin1Char(' ') +
                   QString(row.plus, QLatin1Char('+'));
    for (int i = 0; i < row.minus; ++i)
        text += QStringLiteral(" -");
    return text;
}

QString spokenrow(const AnsweredGuess &row)
{
    QString spoken = QString::fromStdString(textform(row.guess)) + QLatin1Char(':');
    if (row.plus == 0 && row.minus == 0)
        return spoken + QStringLiteral(" no signs");
    if (row.plus > 0)
        spoken += QStringLiteral(" %1 plus").arg(row.plus);
    if (row.minus > 0)
        spoken += QStringLiteral("%1 %2 minus").arg(row.plus > 0 ? QStringLiteral(",") : QString()).arg(row.minus);
    return spoken;
}

ProgressBoard::ProgressBoard(Rows rows, QWidget *parent) : QFrame(parent), rows_(std::move(rows))
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
}

void ProgressBoard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const look::DevicePixels device(p);
    device.sunkenpanel(device.map(rect()), palette());
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QRect inside = contentsRect();
    p.setClipRect(inside);
    const QFontMetrics metrics(font());
    const std::vector<AnsweredGuess> lines = rows();
    for (int line = 0; line < int(lines.size()); ++line)
        p.drawText(inside.left(), inside.top() + linetop(metrics, line) + metrics.ascent(), boardrow(lines[line]));
}

RowNumbers::RowNumbers(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setWordWrap(true);
    setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void RowNumbers::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const look::DevicePixels device(p);
    device.ring(device.map(rect()), device.width(1), Qt::black);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QRect inside = contentsRect();
    const QFontMetrics metrics(font());
    // The board's frame is one pixel deeper than ours, so its first line starts one pixel lower.
    const int top = inside.top() + 1;
    const QStringList numbers = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int line = 0; line < numbers.size(); ++line) {
        const QRect box(inside.left(), top + ProgressBoard::linetop(metrics, line), inside.width() - 1,
                        metrics.height());
        p.drawText(box, Qt::AlignRight | Qt::AlignTop, numbers[line]);
    }
}

Outline::Outline(const QColor &color, int width, QWidget *parent) : QWidget(parent), color_(color), width_(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Outline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const look::DevicePixels device(p);
    device.ring(device.map(rect()), device.width(width_), color_);
}

}  // namespace numora
