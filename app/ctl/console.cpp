// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/console.h"

#include <cstdio>

#include <unistd.h>

namespace Console {

namespace {

void writeLine(std::FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void out(const QString &line)
{
    writeLine(stdout, line);
}

void error(const QString &line)
{
    writeLine(stderr, QStringLiteral("kestrov-ctl: ") + line);
}

void warning(const QString &line)
{
    writeLine(stderr, QStringLiteral("kestrov-ctl: warning: ") + line);
}

void detail(const QString &line)
{
    writeLine(stderr, QStringLiteral("  ") + line);
}

bool writeOut(const QByteArray &data)
{
    const bool written = std::fwrite(data.constData(), 1, size_t(data.size()), stdout) == size_t(data.size());
    return std::fflush(stdout) == 0 && written;
}

bool outputIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

} // namespace Console
