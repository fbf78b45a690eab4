#pragma once

#include <QLabel>

// A label or picture that acts on a click, with the hand cursor.
class TClickLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit TClickLabel(QWidget* parent);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
