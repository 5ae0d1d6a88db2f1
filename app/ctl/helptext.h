#pragma once

#include <QString>

// What `kestrov-ctl --help` and `kestrov-ctl COMMAND --help` print.
namespace HelpText {

QString general();
// The help of one command ("read", "profile apply"); the general help for an unknown one.
QString of(const QString &command);

} // namespace HelpText
