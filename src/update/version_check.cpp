#include "update/version_check.h"

#include "update/update_system.h"

#include "build_config.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <QtGlobal>

namespace qz {

namespace {

// Longest value the INI reader hands back (its buffer holds 2048 characters with the terminator).
constexpr qsizetype kMaxValueLength = 2047;

QString decodeText(const QByteArray& data) {
    // A byte-order mark says how the file is encoded; without one it is read as UTF-8.
    const auto encoding = QStringConverter::encodingForData(data);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    QString text = decoder.decode(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString unquoted(QString value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString UpdateProgramPath() {
    return QStringLiteral("/software/qzscheduler/") +
           programFileName(QStringLiteral("qzscheduler"));
}

QString UpdateFileName() {
    return programFileName(QStringLiteral("update_qzscheduler"));
}

QUrl UpdateBaseUrlFrom(const QString& environmentValue, const QString& buildValue) {
    const QUrl fromEnvironment(environmentValue.trimmed(), QUrl::StrictMode);
    const QString scheme = fromEnvironment.scheme().toLower();
    if (fromEnvironment.isValid() && (scheme == u"http" || scheme == u"https") &&
        !fromEnvironment.host().isEmpty())
        return fromEnvironment;
    return QUrl(buildValue);
}

QUrl UpdateBaseUrl() {
    return UpdateBaseUrlFrom(qEnvironmentVariable("QZ_UPDATE_BASE_URL"),
                             QString::fromUtf8(build::kUpdateBaseUrl));
}

QUrl UpdateUrl(const QUrl& base, const QString& path) {
    QUrl url = base;
    QString prefix = url.path();
    while (prefix.endsWith(u'/'))
        prefix.chop(1);
    url.setPath(prefix + path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

QString ReadVersionInfoValue(const QByteArray& iniText, QStringView key) {
    const QString text = decodeText(iniText);
    bool inSection = false;
    bool sectionSeen = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            // Only the first "VersionInfo" section counts, as with the usual INI reader.
            if (sectionSeen)
                return {};
            const qsizetype end = line.indexOf(u']');
            const QStringView name = line.mid(1, end < 0 ? -1 : end - 1).trimmed();
            inSection = name.compare(u"VersionInfo", Qt::CaseInsensitive) == 0;
            sectionSeen = inSection;
            continue;
        }
        if (!inSection || line.startsWith(u';'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        return unquoted(line.mid(equals + 1).trimmed().toString()).left(kMaxValueLength);
    }
    return {};
}

QString ReadBuildNumber(const QByteArray& iniText) {
    return ReadVersionInfoValue(iniText, u"BuildNumber");
}

QString ServerVersionFromAnswer(int httpStatus, const QByteArray& body) {
    if (httpStatus != 200)
        return QString::fromLatin1(kServerVersionError);
    const QString value = ReadBuildNumber(body);
    return value.isEmpty() ? QString::fromLatin1(kServerVersionError) : value;
}

QString GetOwnVersion() {
    const QString fromResource = versionResourceText();
    return fromResource.isEmpty() ? QString::fromLatin1(build::kVersion) : fromResource;
}

bool shouldOfferUpdate(const QString& serverVersion, const QString& ownVersion) {
    return !ownVersion.isEmpty() && serverVersion != ownVersion &&
           serverVersion != QLatin1String(kServerVersionError);
}

} // namespace qz
