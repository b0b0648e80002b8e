#include "app/process/request.h"

#include <QList>

namespace qz {

namespace {

constexpr std::pair<Request::Kind, const char*> kKindWords[] = {
    {Request::Kind::Show, "show"},     {Request::Kind::Tray, "tray"},
    {Request::Kind::Status, "status"}, {Request::Kind::Cancel, "cancel"},
    {Request::Kind::Arm, "arm"},
};

template <typename T, std::size_t N>
const char* wordOf(const std::pair<T, const char*> (&table)[N], T value) {
    for (const auto& [v, word] : table)
        if (v == value)
            return word;
    return "";
}

template <typename T, std::size_t N>
std::optional<T> valueOf(const std::pair<T, const char*> (&table)[N], const QByteArray& word) {
    for (const auto& [v, w] : table)
        if (word == w)
            return v;
    return std::nullopt;
}

std::optional<TriggerMode> triggerFromWord(const QByteArray& word) {
    for (TriggerMode t : kAllTriggerModes)
        if (word == triggerWord(t))
            return t;
    return std::nullopt;
}

} // namespace

QString actionOptionName(PowerAction action) {
    const std::string_view name = namesOf(action).option;
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

std::optional<PowerAction> actionFromOptionName(const QString& name) {
    for (PowerAction a : kAllPowerActions)
        if (name == actionOptionName(a))
            return a;
    return std::nullopt;
}

const char* triggerWord(TriggerMode trigger) {
    // The table's words are string literals, so their data ends in a null.
    return namesOf(trigger).option.data();
}

QByteArray encodeRequest(const Request& request) {
    QByteArray line = wordOf(kKindWords, request.kind);
    if (request.kind == Request::Kind::Arm)
        line += ' ' + actionOptionName(request.action).toUtf8() + ' ' +
                triggerWord(request.trigger) + ' ' + request.value.toUtf8();
    return line;
}

QByteArray answerLine(const char* word, const QByteArray& rest) {
    return rest.isEmpty() ? QByteArray(word) : word + (' ' + rest);
}

std::optional<QByteArray> answerAfter(const QByteArray& line, const char* word) {
    if (line == word)
        return QByteArray();
    const QByteArray lead = word + QByteArray(" ");
    if (!line.startsWith(lead))
        return std::nullopt;
    return line.mid(lead.size());
}

std::optional<Request> decodeRequest(const QByteArray& line) {
    const QList<QByteArray> words = line.split(' ');
    const std::optional<Request::Kind> kind = valueOf(kKindWords, words.constFirst());
    if (!kind || words.size() != (*kind == Request::Kind::Arm ? 4 : 1))
        return std::nullopt;
    Request request{*kind, {}, {}, {}};
    if (*kind != Request::Kind::Arm)
        return request;
    const auto action = actionFromOptionName(QString::fromUtf8(words[1]));
    const auto trigger = triggerFromWord(words[2]);
    if (!action || !trigger)
        return std::nullopt;
    request.action = *action;
    request.trigger = *trigger;
    request.value = QString::fromUtf8(words[3]);
    return request;
}

} // namespace qz
