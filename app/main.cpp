// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const Startup startup(QCoreApplication::arguments(), QDir::currentPath());
    MainWindow window(startup.options());
    window.show();

    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);

    return application.exec();
}
