#include "app/artwork.h"

#include <QHash>
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
    // Qt's SVG icon engine renders each size on first use, at the screen's
    // scale; drawing every size up front would slow the start.
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, QIcon(ArtPath(name)));
    return *it;
}
