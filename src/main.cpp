#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("CARNELIS"));
    window.resize(569, 420);
    window.show();
    return app.exec();
}
