#include "app/artwork.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QString ArtPath(const QString& name)
{
    return QStringLiteral(":/art/%1.svg").arg(name);
}

} // namespace

QPixmap ArtPixmap(const QString& name, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(ArtPath(name));
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

QIcon ArtIcon(const QString& name)
{
    // Pixmaps at 1x and 2x of the common sizes rather than the SVG icon
    // engine plugin, which an installation may lack.
    QIcon icon;
    for (const int side : {16, 24, 32, 48})
        for (const qreal dpr : {1.0, 2.0})
            icon.addPixmap(ArtPixmap(name, QSize(side, side), dpr));
    return icon;
}
