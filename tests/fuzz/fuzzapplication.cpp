// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzapplication.h"

#include "fuzzcheck.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>
#include <vector>

// fontconfig keeps a few blocks it never frees; they are neither ours nor growing.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

QTemporaryDir *workingDir = nullptr;

// libFuzzer flags whose value is a path.
const char *const PATH_FLAGS[] = {
    "-artifact_prefix=",    "-exact_artifact_path=", "-dict=",           "-features_dir=",
    "-merge_control_file=", "-mutation_graph_file=", "-data_flow_trace=",
};
const std::string ARTIFACT_PREFIX_FLAG = "-artifact_prefix=";

std::string anchored(const std::string &path, const std::string &directory)
{
    return path.empty() || path.front() == '/' ? path : directory + '/' + path;
}

std::string anchoredArgument(const std::string &argument, const std::string &directory)
{
    if (argument.empty() || argument.front() != '-')
        return anchored(argument, directory); // a corpus directory or an input file
    for (const char *flag : PATH_FLAGS) {
        const std::string name(flag);
        if (argument.compare(0, name.size(), name) == 0)
            return name + anchored(argument.substr(name.size()), directory);
    }
    return argument;
}

void anchorArguments(int *argc, char ***argv, const std::string &directory)
{
    // Kept for the whole run: libFuzzer holds on to the pointers.
    static std::vector<std::string> arguments;
    static std::vector<char *> pointers;

    bool artifactPrefixGiven = false;
    for (int i = 0; i < *argc; ++i) {
        const std::string argument((*argv)[i]);
        artifactPrefixGiven |= argument.compare(0, ARTIFACT_PREFIX_FLAG.size(), ARTIFACT_PREFIX_FLAG) == 0;
        arguments.push_back(i == 0 ? argument : anchoredArgument(argument, directory));
    }
    if (!artifactPrefixGiven)
        arguments.insert(arguments.begin() + 1, ARTIFACT_PREFIX_FLAG + directory + '/');

    for (std::string &argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = int(arguments.size());
    *argv = pointers.data();
}

void removeWorkingDirectory()
{
    // The process stands inside it; leave first so the removal is complete.
    QDir::setCurrent(QDir::tempPath());
    delete workingDir;
    workingDir = nullptr;
}

} // namespace

namespace FuzzApplication {

void start(int *argc, char ***argv)
{
    if (workingDir)
        return;
    anchorArguments(argc, argv, QDir::currentPath().toStdString());

    workingDir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/kestrov-fuzz-XXXXXX"));
    if (!workingDir->isValid() || !QDir::setCurrent(workingDir->path()))
        qFatal("cannot enter a temporary working directory under %s", qPrintable(QDir::tempPath()));
    std::atexit(removeWorkingDirectory);
    setBeforeContractAbort(removeWorkingDirectory);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(workingDir->path()));

    // Qt gets an argument list of its own: libFuzzer's flags are none of its business, and
    // QApplication may rewrite the list it is given.
    static int qtArgc = 1;
    static char programName[] = "kestrov-fuzz";
    static char *qtArgv[] = {programName, nullptr};
    new QApplication(qtArgc, qtArgv); // lives until the process ends
}

QString workingDirectory()
{
    return workingDir ? workingDir->path() : QString();
}

} // namespace FuzzApplication
