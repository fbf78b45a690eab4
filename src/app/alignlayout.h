#pragma once

#include <QFlags>
#include <QLayout>
#include <QList>
#include <QSize>

// Lays out the children of one container by edge alignment: top, bottom, left
// and right children take the full free length along their edge in that order
// of kinds (and in the order added within a kind), keeping their own height or
// width; the fill child takes what is left. Unaligned children stay where they
// are, except that those anchored to the right or bottom edge keep their
// distance to it when the container changes size.
class TAlignLayout final : public QLayout
{
    Q_OBJECT

public:
    enum class TAlign
    {
        None,
        Top,
        Bottom,
        Left,
        Right,
        Fill
    };
    enum TAnchor
    {
        akLeft = 1,
        akTop = 2,
        akRight = 4,
        akBottom = 8
    };
    Q_DECLARE_FLAGS(TAnchors, TAnchor)

    // `designSize` is the container's size that the children's positions were
    // given for.
    TAlignLayout(QWidget* container, QSize designSize);
    ~TAlignLayout() override;

    // An aligned child; its other dimension (height for top and bottom, width
    // for left and right) comes from its current size.
    void AddAligned(QWidget* child, TAlign align, int size);
    // An unaligned child at `geometry`.
    void AddPlaced(QWidget* child, const QRect& geometry, TAnchors anchors = TAnchors(akLeft | akTop));

    // Runs the alignment again, e.g. after an aligned child changed its size.
    void Realign();

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct TEntry
    {
        QLayoutItem* FItem;
        TAlign FAlign;
        TAnchors FAnchors;
    };
    QList<TEntry> FEntries;
    QSize FLastSize;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TAlignLayout::TAnchors)
