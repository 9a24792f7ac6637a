// SPDX-License-Identifier: MIT
// The program's pictures and icons, in the drawing that suits the screen's scale.
#include "ui/look/pictures.h"

#include <QFile>
#include <QImageReader>

namespace numora::look {

QPixmap picture(const QString &resource, qreal devicepixelratio)
{
    const QString twice = resource.chopped(4) + QStringLiteral("@2x.png");
    const bool large = devicepixelratio >= 1.5 && QFile::exists(twice);
    QPixmap drawn(large ? twice : resource);
    const QSize size = large ? drawn.size() / 2 : drawn.size();
    if (devicepixelratio == (large ? 2 : 1)) {
        drawn.setDevicePixelRatio(devicepixelratio);
        return drawn;
    }
    QPixmap scaled = drawn.scaled(size * devicepixelratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicepixelratio);
    return scaled;
}

QIcon icon(const QString &resource)
{
    QIcon icon(resource);
    const QString stem = resource.chopped(4);
    for (const char *suffix : {"-16", "-48", "-64", "@2x"}) {
        // QIcon may have found the drawing at twice the size by itself.
        const QString file = stem + QLatin1String(suffix) + QStringLiteral(".png");
        if (QFile::exists(file) && !icon.availableSizes().contains(QImageReader(file).size()))
            icon.addFile(file);
    }
    return icon;
}

}  // namespace numora::look
