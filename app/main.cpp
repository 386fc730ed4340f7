#include <QApplication>
#include <QMainWindow>
#include "resources/StringTable.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(LoadResString(8001));
    w.resize(900, 600);
    w.show();
    return app.exec();
}
