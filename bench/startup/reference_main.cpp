// The reference: the least a Qt Widgets program does to show a window of the
// main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(750, 531);
    window.show();
    return QApplication::exec();
}
