// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceoptions.h"

#include <functional>
#include <limits>
#include <vector>

namespace {

// Decimal, or hexadecimal with a 0x prefix (report ids read best that way).
std::optional<qint64> parseNumber(const QString &text, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                             ? text.mid(2).toLongLong(&ok, 16)
                             : text.toLongLong(&ok, 10);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

enum class Kind { Number, Path, Choice };

struct Option {
    const char *key;
    Kind kind;
    qint64 min;
    qint64 max;
    bool plugOnly;
    // The value "off" stands for; faults only.
    std::optional<qint64> off;
    // For a choice, the value is the index of the chosen name.
    std::function<void(DeviceOptions &, qint64, const QString &)> assign;
    std::vector<const char *> choices = {};
};

constexpr qint64 INT_LIMIT = std::numeric_limits<int>::max();

const std::vector<Option> &options()
{
    static const std::vector<Option> table{
        {"firmware", Kind::Number, 0, std::numeric_limits<quint32>::max(), false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.firmwareVersion = quint32(v); }},
        {"type", Kind::Number, 0, 255, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.deviceType = int(v); }},
        {"pid", Kind::Number, 0, 0xFFFF, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.productId = int(v); }},
        {"state", Kind::Path, 0, 0, true, std::nullopt,
         [](DeviceOptions &o, qint64, const QString &s) { o.stateFile = s; }},
        {"effects", Kind::Path, 0, 0, true, std::nullopt,
         [](DeviceOptions &o, qint64, const QString &s) { o.effectsFile = s; }},
        {"hardware", Kind::Path, 0, 0, true, std::nullopt,
         [](DeviceOptions &o, qint64, const QString &s) { o.hardwareFile = s; }},
        {"write-busy-ms", Kind::Number, 0, INT_LIMIT, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.writeBusyMs = int(v); }},
        {"save-busy-ms", Kind::Number, 0, INT_LIMIT, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.saveBusyMs = int(v); }},
        {"reboot-ms", Kind::Number, 0, INT_LIMIT, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.rebootMs = int(v); }},
        {"unplug-after", Kind::Number, 0, INT_LIMIT, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.unplugAfterTransfers = int(v); }},
        {"unplug-at-ms", Kind::Number, 0, INT_LIMIT, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.unplugAtMs = int(v); }},
        {"status-fail", Kind::Number, 0, 1, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.statusFail = v != 0; }},
        {"busy-forever", Kind::Number, 0, 1, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.busyForever = v != 0; }},
        {"short", Kind::Number, -1, INT_LIMIT, false, -1,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.shortReplyBytes = int(v); }},
        {"stall", Kind::Number, 0, 0xFF, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.stallReportId = int(v); }},
        {"delay-ms", Kind::Number, 0, INT_LIMIT, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.delayMs = int(v); }},
        {"no-comeback", Kind::Number, 0, 1, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.noComeback = v != 0; }},
        {"clamp-motion-range", Kind::Number, 0, 0xFFFF, false, 0,
         [](DeviceOptions &o, qint64 v, const QString &) { o.faults.motionRangeLimit = int(v); }},
        {"driver", Kind::Choice, 0, 0, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.driver = v == 0 ? KernelDriver::Hid : KernelDriver::None; },
         {"hid", "none"}},
        {"access", Kind::Choice, 0, 0, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.accessDenied = v == 1; }, {"granted", "denied"}},
        {"ff", Kind::Choice, 0, 0, false, std::nullopt,
         [](DeviceOptions &o, qint64 v, const QString &) { o.forceFeedback = v == 0; }, {"pid", "none"}},
    };
    return table;
}

const Option *findOption(const QString &key)
{
    for (const Option &option : options())
        if (key == QLatin1String(option.key))
            return &option;
    return nullptr;
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

} // namespace

std::optional<DeviceOptions> DeviceOptions::parse(const QString &description, const QStringList &defaults,
                                                  QString *error)
{
    const qsizetype comma = description.indexOf(QLatin1Char(','));
    const QString kindName = description.left(comma);
    const std::optional<ControllerKind> kind = ControllerKinds::fromName(kindName);
    if (!kind) {
        setError(error, QStringLiteral("unknown controller kind '%1'").arg(kindName));
        return std::nullopt;
    }
    DeviceOptions options;
    options.kind = *kind;
    options.deviceType = ControllerKinds::deviceType(*kind);
    options.productId = ControllerKinds::productId(*kind);
    for (const QString &assignment : defaults)
        if (!options.apply(assignment, Scope::Plug, error))
            return std::nullopt;
    if (comma >= 0 && !options.apply(description.mid(comma + 1), Scope::Plug, error))
        return std::nullopt;
    return options;
}

bool DeviceOptions::apply(const QString &assignments, Scope scope, QString *error)
{
    DeviceOptions changed = *this;
    for (const QString &assignment : assignments.split(QLatin1Char(','))) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            setError(error, QStringLiteral("expected key=value, got '%1'").arg(assignment));
            return false;
        }
        if (!changed.apply(assignment.left(equals), assignment.mid(equals + 1), scope, error))
            return false;
    }
    *this = changed;
    return true;
}

bool DeviceOptions::apply(const QString &key, const QString &value, Scope scope, QString *error)
{
    const Option *option = findOption(key);
    if (!option) {
        setError(error, QStringLiteral("unknown option '%1'").arg(key));
        return false;
    }
    if (option->plugOnly && scope == Scope::Runtime) {
        setError(error, QStringLiteral("'%1' can only be given when plugging").arg(key));
        return false;
    }
    if (option->kind == Kind::Path) {
        if (value.isEmpty()) {
            setError(error, QStringLiteral("'%1' needs a file name").arg(key));
            return false;
        }
        option->assign(*this, 0, value);
        return true;
    }
    if (option->kind == Kind::Choice) {
        QStringList names;
        for (const char *name : option->choices)
            names << QString::fromLatin1(name);
        const qsizetype index = names.indexOf(value);
        if (index < 0) {
            setError(error, QStringLiteral("bad value '%1' for '%2' (%3)").arg(value, key, names.join(QLatin1Char('|'))));
            return false;
        }
        option->assign(*this, index, value);
        return true;
    }
    if (option->off && value == QLatin1String("off")) {
        option->assign(*this, *option->off, value);
        return true;
    }
    const std::optional<qint64> number = parseNumber(value, option->min, option->max);
    if (!number) {
        setError(error, QStringLiteral("bad value '%1' for '%2' (%3 to %4)")
                            .arg(value, key).arg(option->min).arg(option->max));
        return false;
    }
    option->assign(*this, *number, value);
    return true;
}

bool DeviceOptions::isKey(const QString &key)
{
    return findOption(key) != nullptr;
}

QStringList DeviceOptions::assignedKeys(const QString &assignments)
{
    QStringList names;
    for (const QString &assignment : assignments.split(QLatin1Char(',')))
        names << assignment.section(QLatin1Char('='), 0, 0);
    return names;
}

QStringList DeviceOptions::keys()
{
    QStringList names;
    for (const Option &option : options())
        names << QString::fromLatin1(option.key);
    return names;
}
