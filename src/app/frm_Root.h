#pragma once

#include <QDialog>

// The common base of the program's windows: Tahoma at 12 pixels, hints shown,
// placed at the centre of the screen when first shown.
class TfrmRoot : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmRoot(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool FPlaced = false;
};
