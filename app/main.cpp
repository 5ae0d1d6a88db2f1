#include "app/mainwindow.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    MainWindow window;
    window.show();

    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);

    return application.exec();
}
