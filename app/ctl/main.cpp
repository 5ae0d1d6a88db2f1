// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/ctlprogram.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrov-ctl"));
    return CtlProgram::run(QCoreApplication::arguments());
}
