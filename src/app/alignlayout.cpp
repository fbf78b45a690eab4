#include "app/alignlayout.h"

#include <QWidget>
#include <algorithm>

TAlignLayout::TAlignLayout(QWidget* container, QSize designSize) : QLayout(container), FLastSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    // The window sets its own minimum size; the children impose none.
    setSizeConstraint(QLayout::SetNoConstraint);
}

TAlignLayout::~TAlignLayout()
{
    for (const TEntry& entry : std::as_const(FEntries))
        delete entry.FItem;
}

void TAlignLayout::AddAligned(QWidget* child, TAlign align, int size)
{
    addChildWidget(child);
    const QSize design = FLastSize;
    switch (align) {
    case TAlign::Top:
    case TAlign::Bottom:
        child->resize(design.width(), size);
        break;
    case TAlign::Left:
    case TAlign::Right:
        child->resize(size, design.height());
        break;
    default:
        break;
    }
    FEntries.append({new QWidgetItem(child), align, {}});
    invalidate();
}

void TAlignLayout::AddPlaced(QWidget* child, const QRect& geometry, TAnchors anchors)
{
    addChildWidget(child);
    child->setGeometry(geometry);
    FEntries.append({new QWidgetItem(child), TAlign::None, anchors});
    invalidate();
}

void TAlignLayout::addItem(QLayoutItem* item)
{
    FEntries.append({item, TAlign::None, TAnchors(akLeft | akTop)});
}

QLayoutItem* TAlignLayout::itemAt(int index) const
{
    return index >= 0 && index < FEntries.size() ? FEntries.at(index).FItem : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index)
{
    if (index < 0 || index >= FEntries.size())
        return nullptr;
    return FEntries.takeAt(index).FItem;
}

int TAlignLayout::count() const
{
    return int(FEntries.size());
}

QSize TAlignLayout::sizeHint() const
{
    return FLastSize;
}

QSize TAlignLayout::minimumSize() const
{
    return {0, 0};
}

void TAlignLayout::Realign()
{
    if (QWidget* container = parentWidget())
        setGeometry(container->rect());
}

void TAlignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const int dw = rect.width() - FLastSize.width();
    const int dh = rect.height() - FLastSize.height();
    FLastSize = rect.size();

    int left = rect.left();
    int top = rect.top();
    int right = rect.right() + 1;
    int bottom = rect.bottom() + 1;
    auto place = [](QWidget* w, int x, int y, int width, int height) {
        w->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    };

    for (const TAlign kind : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Fill}) {
        for (const TEntry& entry : std::as_const(FEntries)) {
            QWidget* w = entry.FItem->widget();
            if (!w || entry.FAlign != kind || w->isHidden())
                continue;
            switch (kind) {
            case TAlign::Top:
                place(w, left, top, right - left, w->height());
                top += w->height();
                break;
            case TAlign::Bottom:
                place(w, left, bottom - w->height(), right - left, w->height());
                bottom -= w->height();
                break;
            case TAlign::Left:
                place(w, left, top, w->width(), bottom - top);
                left += w->width();
                break;
            case TAlign::Right:
                place(w, right - w->width(), top, w->width(), bottom - top);
                right -= w->width();
                break;
            case TAlign::Fill:
                place(w, left, top, right - left, bottom - top);
                break;
            case TAlign::None:
                break;
            }
        }
    }

    if (dw == 0 && dh == 0)
        return;
    for (const TEntry& entry : std::as_const(FEntries)) {
        QWidget* w = entry.FItem->widget();
        if (!w || entry.FAlign != TAlign::None)
            continue;
        QRect g = w->geometry();
        if (entry.FAnchors & akRight) {
            if (entry.FAnchors & akLeft)
                g.setWidth(g.width() + dw);
            else
                g.translate(dw, 0);
        }
        if (entry.FAnchors & akBottom) {
            if (entry.FAnchors & akTop)
                g.setHeight(g.height() + dh);
            else
                g.translate(0, dh);
        }
        if (g != w->geometry())
            w->setGeometry(g);
    }
}
