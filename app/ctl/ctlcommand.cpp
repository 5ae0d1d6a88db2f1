// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/ctlcommand.h"

#include <algorithm>

namespace {

struct OptionName {
    CtlCommand::Option option;
    const char *name;
    const char *usage;
};

constexpr OptionName OPTION_NAMES[] = {
    {CtlCommand::Json, "json", "[--json]"},
    {CtlCommand::Output, "output", "[-o FILE]"},
    {CtlCommand::Save, "save", "[--save]"},
    {CtlCommand::Force, "force", "[--force]"},
    {CtlCommand::DataDirectory, "data-dir", "[--data-dir DIR]"},
    {CtlCommand::Strength, "strength", "[--strength PCT]"},
    {CtlCommand::DurationSeconds, "duration", "[--duration SECONDS]"},
    {CtlCommand::DurationMs, "duration", "[--duration MS]"},
    {CtlCommand::Direction, "direction", "[--direction left|right]"},
};

// "\"effects\" or \"hardware\"", "list, apply or save"
QString alternatives(const QStringList &words, bool quoted)
{
    QStringList shown;
    for (const QString &word : words)
        shown << (quoted ? QLatin1Char('"') + word + QLatin1Char('"') : word);
    const QString last = shown.takeLast();
    return shown.isEmpty() ? last : shown.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace

QString CtlCommand::synopsis() const
{
    return *operands ? QStringLiteral("%1 %2").arg(QLatin1String(name), QLatin1String(operands))
                     : QString::fromLatin1(name);
}

QString CtlCommand::usage() const
{
    QString line = synopsis();
    for (const OptionName &option : OPTION_NAMES)
        if (options & option.option)
            line += QLatin1Char(' ') + QLatin1String(option.usage);
    return line;
}

bool CtlCommand::takes(const QString &option) const
{
    if (option == QLatin1String("device"))
        return needsController;
    // One name may stand for several options ("duration" in seconds or in milliseconds).
    for (const OptionName &known : OPTION_NAMES)
        if (option == QLatin1String(known.name) && (options & known.option))
            return true;
    return false;
}

QString CtlCommand::problemWith(const QStringList &givenOperands, const QStringList &givenOptions) const
{
    const QString command = QString::fromLatin1(name);
    const QStringList words = QString::fromLatin1(operands).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (isGroup())
        return QStringLiteral("%1 needs %2").arg(command, alternatives(words.first().split(QLatin1Char('|')), false));
    const qsizetype required = std::count_if(words.cbegin(), words.cend(), [](const QString &word) { return !word.startsWith(u'['); });
    if (givenOperands.size() < required)
        return QStringLiteral("%1 needs more arguments").arg(command);
    if (givenOperands.size() > words.size())
        return QStringLiteral("too many arguments for %1").arg(command);
    for (const QString &option : givenOptions)
        if (!takes(option))
            return QStringLiteral("%1 does not take --%2").arg(command, option);
    for (qsizetype i = 0; i < givenOperands.size(); ++i) {
        const QStringList keywords = words.at(i).split(QLatin1Char('|'));
        if (keywords.size() > 1 && !keywords.contains(givenOperands.at(i)))
            return QStringLiteral("%1 needs %2, not \"%3\"").arg(command, alternatives(keywords, true), givenOperands.at(i));
    }
    return {};
}
