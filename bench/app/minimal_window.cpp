#include <QApplication>
#include <QTimer>
#include <QWidget>

// Shows an empty 739 by 555 window and ends once it has been painted for the
// first time, the point at which parlino ends under its "quit-on-show" hook.
class TMinimalWindow final : public QWidget
{
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (!FDone) {
            FDone = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    }

private:
    bool FDone = false;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TMinimalWindow window;
    window.resize(739, 555);
    window.show();
    return app.exec();
}
