#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vexo Control Tool 0.40e"));
    window.resize(1005, 695);
    window.show();
    return app.exec();
}
