#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pictaven");
    QMainWindow window;
    window.setWindowTitle("Pictaven 3.03");
    window.show();
    return QApplication::exec();
}
