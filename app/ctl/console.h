// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Where kestrov-ctl speaks: results on standard output, problems, warnings and progress on
// standard error, each line prefixed with the program's name.
namespace Console {

void out(const QString &line);
void error(const QString &line);
void warning(const QString &line);
// A further line of a problem on standard error, indented, without the name.
void detail(const QString &line);
// Data as it is, without a line end: a raw record or a JSON document.
bool writeOut(const QByteArray &data);
bool outputIsTerminal();

} // namespace Console
