#include "settings/xdg_run_at_startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace qz {

XdgRunAtStartup::XdgRunAtStartup(QString autostartDir) : m_autostartDir(std::move(autostartDir)) {}

QString XdgRunAtStartup::autostartDir() const {
    if (!m_autostartDir.isEmpty())
        return m_autostartDir;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

QString XdgRunAtStartup::entryFileName() const {
    return autostartDir() + QLatin1Char('/') + QLatin1String(kRunAtStartupName) +
           QStringLiteral(".desktop");
}

QString XdgRunAtStartup::execArgument(const QString& path) {
    // Two layers: inside the double quotes of an Exec argument ", `, $ and \ take a
    // backslash; the entry's string escaping then doubles every backslash and encodes
    // control characters. A % would start a field code, so it is doubled.
    QString quoted;
    quoted.reserve(path.size() + 8);
    quoted += QLatin1Char('"');
    for (const QChar c : path) {
        switch (c.unicode()) {
        case u'"':
        case u'`':
        case u'$':
            quoted += QStringLiteral("\\\\");
            quoted += c;
            break;
        case u'\\':
            quoted += QStringLiteral("\\\\\\\\");
            break;
        case u'%':
            quoted += QStringLiteral("%%");
            break;
        case u'\n':
            quoted += QStringLiteral("\\n");
            break;
        case u'\t':
            quoted += QStringLiteral("\\t");
            break;
        case u'\r':
            quoted += QStringLiteral("\\r");
            break;
        default:
            quoted += c;
        }
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString XdgRunAtStartup::desktopEntryText(const QString& path) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QLatin1String(kRunAtStartupName), execArgument(path));
}

void XdgRunAtStartup::registerEntry(const std::string& path) {
    const QString dir = autostartDir();
    if (!QDir().mkpath(dir))
        throw RunAtStartupError("Failed to create key " + dir.toStdString());

    const QByteArray text = desktopEntryText(QString::fromStdString(path)).toUtf8();
    // Every start confirms the entry; one that already says so is left alone rather than
    // replaced and waited for on the disk.
    const QFileInfo info(entryFileName());
    if (info.isFile() && !info.isSymLink() && info.size() == text.size()) {
        QFile current(info.filePath());
        if (current.open(QIODevice::ReadOnly) && current.readAll() == text)
            return;
    }
    QSaveFile file(entryFileName());
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw RunAtStartupError(std::string("Failed to set data for '") + kRunAtStartupName + "'");
}

bool XdgRunAtStartup::unregisterEntry(const std::string& path) noexcept {
    if (path.empty())
        return false;
    try {
        const QString fileName = entryFileName();
        // A dangling symlink counts as an entry too: remove it whatever it points at.
        const QFileInfo info(fileName);
        if (!info.exists() && !info.isSymLink())
            return true;
        return QFile::remove(fileName);
    } catch (...) {
        return false;
    }
}

} // namespace qz
