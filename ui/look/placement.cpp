// SPDX-License-Identifier: MIT
// Where a window goes on the screen: the arithmetic of frames and available areas.
#include "ui/look/placement.h"

namespace numora::look {

QPoint placeonscreen(QPoint wanted, QSize client, const QRect &available, QMargins frame)
{
    const QPoint corner(frame.left(), frame.top());
    QRect outer(wanted - corner, client.grownBy(frame));
    if (outer.right() > available.right())
        outer.moveRight(available.right());
    if (outer.bottom() > available.bottom())
        outer.moveBottom(available.bottom());
    if (outer.left() < available.left())
        outer.moveLeft(available.left());
    if (outer.top() < available.top())
        outer.moveTop(available.top());
    return outer.topLeft() + corner;
}

QPoint centreonscreen(QSize client, const QRect &available, QMargins frame)
{
    const QSize outer = client.grownBy(frame);
    const QPoint topleft(available.left() + (available.width() - outer.width()) / 2,
                         available.top() + (available.height() - outer.height()) / 2);
    return placeonscreen(topleft + QPoint(frame.left(), frame.top()), client, available, frame);
}

}  // namespace numora::look
