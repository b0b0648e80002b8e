#include "app/process/command_line.h"

#include "build_config.h"
#include "schedule/plan.h"

#include <QCommandLineParser>

namespace qz {

namespace {

// Trigger options (named by triggerWord()), in the order the help lists them.
struct Trigger {
    TriggerMode mode;
    const char* form; // of the value, in the help and in a mistake
    const char* description;
    QString option() const { return QLatin1String(triggerWord(mode)); }
};
const Trigger kTriggers[] = {
    {TriggerMode::FromNow, "HH:MM", "After this long from now."},
    {TriggerMode::SpecifiedTime, "YYYY-MM-DD HH:MM", "At this local date and time."},
    {TriggerMode::IdleTime, "HH:MM", "After this long without keyboard or mouse input."},
    {TriggerMode::Everyday, "HH:MM", "Every day at this time."},
};

CommandLine invalid(const QString& reason) {
    return {CommandLine::Kind::Invalid,
            QStringLiteral("qzscheduler: %1\nTry 'qzscheduler --help'.\n").arg(reason),
            {}};
}

CommandLine armRequest(const QCommandLineParser& parser) {
    const QString action = parser.value(QStringLiteral("action"));
    const std::optional<PowerAction> chosenAction = actionFromOptionName(action);
    if (!chosenAction)
        return invalid(QStringLiteral("unknown action '%1'").arg(action));

    const Trigger* chosen = nullptr;
    for (const Trigger& t : kTriggers) {
        if (!parser.isSet(t.option()))
            continue;
        if (chosen)
            return invalid(QStringLiteral("give exactly one of --in, --at, --idle, --everyday"));
        chosen = &t;
    }
    if (!chosen)
        return invalid(QStringLiteral("--action needs one of --in, --at, --idle, --everyday"));
    const QString value = parser.value(chosen->option());
    // The request is blank-separated: --at's date and time are joined by a T.
    const Request request{Request::Kind::Arm, *chosenAction, chosen->mode,
                          QString(value).replace(QLatin1Char(' '), QLatin1Char('T'))};
    // Read by the running copy's own rule; whether that time can be armed is its answer.
    if (planFromRequest({}, request.action, request.trigger, request.value).result ==
        PlanRequestResult::Unreadable)
        return invalid(QStringLiteral("--%1 takes %2, not '%3'")
                           .arg(chosen->option(), QLatin1String(chosen->form), value));
    return {CommandLine::Kind::Request, {}, request};
}

// Options are given once: a second --action or --in is a mistake to point out, not a
// value that silently wins.
std::optional<QString> repeatedOption(const QCommandLineParser& parser) {
    const QStringList names = parser.optionNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names.indexOf(names[i], i + 1) > 0)
            return names[i];
    return std::nullopt;
}

bool hasControlCharacter(const QStringList& arguments) {
    for (const QString& argument : arguments)
        for (const QChar c : argument)
            if (c.category() == QChar::Other_Control)
                return true;
    return false;
}

QString helpText(QCommandLineParser& parser) {
    return parser.helpText().replace(QStringLiteral("<executable_name>"),
                                     QStringLiteral("qzscheduler")) +
           QStringLiteral("\nA request waits up to %1 seconds for the running copy to take it; "
                          "once taken,\nit waits for the answer as long as the copy runs "
                          "(a message box it opened\nmay hold it).\n\n"
                          "Exit status:\n"
                          "  0   done (--cancel with no task armed prints \"idle\")\n"
                          "  2   the running copy refused the task; the reason is printed\n"
                          "  3   --status: no task is armed\n"
                          "  4   --cancel: too late, the action was already asked of the system\n"
                          "  64  wrong arguments\n"
                          "  69  no running copy took the request in time (it is not carried "
                          "out),\n      or the copy ended before it answered\n")
               .arg(kTakeMSecs / 1000);
}

} // namespace

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
    for (const Trigger& t : kTriggers)
        parser.addOption(
            {t.option(), QString::fromLatin1(t.description), QString::fromLatin1(t.form)});
    parser.addOption({QStringLiteral("cancel"), QStringLiteral("Stop the armed task.")});
    parser.addOption({QStringLiteral("status"),
                      QStringLiteral("Print the armed task and its due time, or \"idle\" "
                                     "(exit status 3).")});
    parser.addOption({QStringLiteral("tray"), QStringLiteral("Start, or keep running, in the "
                                                             "notification area.")});

    if (hasControlCharacter(arguments.mid(1)))
        return invalid(QStringLiteral("arguments must not contain control characters"));
    if (!parser.parse(arguments))
        return invalid(parser.errorText());
    if (const std::optional<QString> repeated = repeatedOption(parser))
        return invalid(QStringLiteral("--%1 is given more than once").arg(*repeated));
    if (!parser.positionalArguments().isEmpty())
        return invalid(QStringLiteral("unexpected argument '%1'")
                           .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help))
        return {CommandLine::Kind::Print, helpText(parser), {}};
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
        if (parser.isSet(t.option()))
            return invalid(QStringLiteral("--%1 needs --action").arg(t.option()));
    if (parser.isSet(QStringLiteral("cancel")))
        return {CommandLine::Kind::Request, {}, {Request::Kind::Cancel, {}, {}, {}}};
    if (parser.isSet(QStringLiteral("status")))
        return {CommandLine::Kind::Request, {}, {Request::Kind::Status, {}, {}, {}}};
    if (parser.isSet(QStringLiteral("tray")))
        return {CommandLine::Kind::Tray, {}, {Request::Kind::Tray, {}, {}, {}}};
    return {};
}

} // namespace qz
