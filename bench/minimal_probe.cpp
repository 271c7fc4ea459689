// The smallest Qt Widgets program: one empty window, shown the way the program shows its welcome
// dialog. Preloaded with the idle hook, it ends the moment it is on screen and idle.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
