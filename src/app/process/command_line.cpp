#include "app/process/command_line.h"

#include "build_config.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace qz {

namespace {

// Trigger options, the request's name for each, and the form of its value.
struct Trigger {
    const char* option;
    const char* name;
    const char* pattern;
    const char* form;
};
const Trigger kTriggers[] = {
    {"in", "in", R"(^([01]\d|2[0-3]):[0-5]\d$)", "HH:MM"},
    {"at", "at", R"(^\d{4}-\d{2}-\d{2} ([01]\d|2[0-3]):[0-5]\d$)", "YYYY-MM-DD HH:MM"},
    {"idle", "idle", R"(^([01]\d|2[0-3]):[0-5]\d$)", "HH:MM"},
    {"everyday", "everyday", R"(^([01]\d|2[0-3]):[0-5]\d$)", "HH:MM"},
};

CommandLine invalid(const QString& reason) {
    return {CommandLine::Kind::Invalid,
            QStringLiteral("qzscheduler: %1\nTry 'qzscheduler --help'.\n").arg(reason),
            {}};
}

CommandLine armRequest(const QCommandLineParser& parser) {
    const QString action = parser.value(QStringLiteral("action"));
    if (!actionFromOptionName(action))
        return invalid(QStringLiteral("unknown action '%1'").arg(action));

    const Trigger* chosen = nullptr;
    for (const Trigger& t : kTriggers) {
        if (!parser.isSet(QLatin1String(t.option)))
            continue;
        if (chosen)
            return invalid(QStringLiteral("give exactly one of --in, --at, --idle, --everyday"));
        chosen = &t;
    }
    if (!chosen)
        return invalid(QStringLiteral("--action needs one of --in, --at, --idle, --everyday"));
    const QString value = parser.value(QLatin1String(chosen->option));
    if (!QRegularExpression(QLatin1String(chosen->pattern)).match(value).hasMatch())
        return invalid(QStringLiteral("--%1 takes %2, not '%3'")
                           .arg(QLatin1String(chosen->option), QLatin1String(chosen->form), value));
    // The request is blank-separated: --at's date and time are joined by a T.
    const QString line = QStringLiteral("arm %1 %2 %3")
                             .arg(action, QLatin1String(chosen->name),
                                  QString(value).replace(QLatin1Char(' '), QLatin1Char('T')));
    return {CommandLine::Kind::Request, {}, line.toUtf8()};
}

} // namespace

QString actionOptionName(PowerAction action) {
    return QString::fromLatin1(namesOf(action).option);
}

std::optional<PowerAction> actionFromOptionName(const QString& name) {
    for (PowerAction a : kAllPowerActions)
        if (name == actionOptionName(a))
            return a;
    return std::nullopt;
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shuts down, restarts, locks, suspends, hibernates or signs out this computer at a "
        "time you set.\nWithout options the window opens; with an option the request goes to "
        "the running copy (one is started when needed)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the version and end."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption({QStringLiteral("action"),
                      QStringLiteral("What to do: shutdown, restart, lock, standby (suspend), "
                                     "sleep (hibernate) or signout. Needs one trigger."),
                      QStringLiteral("action")});
    parser.addOption({QStringLiteral("in"), QStringLiteral("After this long from now."),
                      QStringLiteral("HH:MM")});
    parser.addOption({QStringLiteral("at"), QStringLiteral("At this local date and time."),
                      QStringLiteral("YYYY-MM-DD HH:MM")});
    parser.addOption({QStringLiteral("idle"),
                      QStringLiteral("After this long without keyboard or mouse input."),
                      QStringLiteral("HH:MM")});
    parser.addOption({QStringLiteral("everyday"), QStringLiteral("Every day at this time."),
                      QStringLiteral("HH:MM")});
    parser.addOption({QStringLiteral("cancel"), QStringLiteral("Stop the armed task.")});
    parser.addOption({QStringLiteral("status"),
                      QStringLiteral("Print the armed task and its due time, or \"idle\" "
                                     "(exit status 3).")});
    parser.addOption({QStringLiteral("tray"), QStringLiteral("Start, or keep running, in the "
                                                             "notification area.")});

    if (!parser.parse(arguments))
        return invalid(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return invalid(QStringLiteral("unexpected argument '%1'")
                           .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help))
        return {CommandLine::Kind::Print,
                parser.helpText().replace(QStringLiteral("<executable_name>"),
                                          QStringLiteral("qzscheduler")) +
                    QStringLiteral("\nExit status: 0 done, 2 refused (the reason is printed), "
                                   "3 no task armed (--status), 64 wrong arguments.\n"),
                {}};
    if (parser.isSet(version))
        return {
            CommandLine::Kind::Print, QString::fromLatin1(build::kVersion) + QLatin1Char('\n'), {}};

    const bool arm = parser.isSet(QStringLiteral("action"));
    const int requests = int(arm) + int(parser.isSet(QStringLiteral("cancel"))) +
                         int(parser.isSet(QStringLiteral("status")));
    if (requests > 1)
        return invalid(QStringLiteral("give one of --action, --cancel, --status"));
    if (arm)
        return armRequest(parser);
    for (const Trigger& t : kTriggers)
        if (parser.isSet(QLatin1String(t.option)))
            return invalid(QStringLiteral("--%1 needs --action").arg(QLatin1String(t.option)));
    if (parser.isSet(QStringLiteral("cancel")))
        return {CommandLine::Kind::Request, {}, "cancel"};
    if (parser.isSet(QStringLiteral("status")))
        return {CommandLine::Kind::Request, {}, "status"};
    if (parser.isSet(QStringLiteral("tray")))
        return {CommandLine::Kind::Tray, {}, "tray"};
    return {};
}

} // namespace qz
