#include "app/frm_Root.h"

#include <QScreen>
#include <QShowEvent>

TfrmRoot::TfrmRoot(QWidget* parent) : QDialog(parent)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);
}

void TfrmRoot::showEvent(QShowEvent* event)
{
    if (!FPlaced && !event->spontaneous()) {
        FPlaced = true;
        if (const QScreen* s = screen()) {
            QRect r = rect();
            r.moveCenter(s->availableGeometry().center());
            move(r.topLeft());
        }
    }
    QDialog::showEvent(event);
}
