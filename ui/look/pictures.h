// SPDX-License-Identifier: MIT
// The program's pictures and icons, in the drawing that suits the screen's scale.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace numora::look {

// A picture drawn at twice its size is named `name@2x.png` beside `name.png`. Screens
// scaled by 1.5 or more show that drawing; the picture keeps its size in logical pixels.
QPixmap picture(const QString &resource, qreal devicepixelratio);
// An icon with every size of a picture: `resource` itself, its `-16`, `-48` and `-64`
// sizes and its drawing at twice the size, those that exist.
QIcon icon(const QString &resource);

}  // namespace numora::look
