#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, drawn as SVG and compiled into the program under
// ":/art/<name>.svg". Rendered on demand, so they stay crisp at any scale.
QIcon ArtIcon(const QString& name);

// `name` rendered at `size` logical pixels for a screen of `devicePixelRatio`.
QPixmap ArtPixmap(const QString& name, QSize size, qreal devicePixelRatio);
