#include <QApplication>
#include <QWidget>

// The least a Qt Widgets program does to put a window on screen. The start-up benchmark
// measures Quorvel against it: what is above this is Quorvel's own cost.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare");
    window.resize(300, 150);
    window.show();
    return QApplication::exec();
}
