#include "fuzzapplication.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir *workingDir = nullptr;

void removeWorkingDirectory()
{
    // The process may still stand inside it; leave first so the removal is complete.
    QDir::setCurrent(QDir::tempPath());
    delete workingDir;
    workingDir = nullptr;
}

} // namespace

namespace FuzzApplication {

void start()
{
    if (workingDir)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");

    workingDir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/kestrov-fuzz-XXXXXX"));
    if (!workingDir->isValid() || !QDir::setCurrent(workingDir->path()))
        qFatal("cannot enter a temporary working directory under %s", qPrintable(QDir::tempPath()));
    std::atexit(removeWorkingDirectory);

    // Qt gets an argument list of its own: libFuzzer's flags are none of its business, and
    // QApplication may rewrite the list it is given.
    static int argc = 1;
    static char programName[] = "kestrov-fuzz";
    static char *argv[] = {programName, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

QString workingDirectory()
{
    return workingDir ? workingDir->path() : QString();
}

} // namespace FuzzApplication
