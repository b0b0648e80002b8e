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

QString XdgRunAtStartup::entryString(const QString& value) {
    // The entry file's string escapes: a backslash doubled, control characters encoded.
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString XdgRunAtStartup::execArgument(const QString& path) {
    // Inside the double quotes of an Exec argument ", `, $ and \ take a backslash; a % would
    // start a field code, so it is doubled. The entry's string escapes come on top.
    QString quoted;
    quoted.reserve(path.size() + 8);
    quoted += QLatin1Char('"');
    for (const QChar c : path) {
        switch (c.unicode()) {
        case u'"':
        case u'`':
        case u'$':
        case u'\\':
            quoted += QLatin1Char('\\');
            quoted += c;
            break;
        case u'%':
            quoted += QStringLiteral("%%");
            break;
        default:
            quoted += c;
        }
    }
    quoted += QLatin1Char('"');
    return entryString(quoted);
}

QString XdgRunAtStartup::desktopEntryText(const QString& path) {
    // TryExec names the file itself: once the program is removed, desktops skip the entry
    // instead of failing to start it at every logon.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "TryExec=%2\n"
                          "Exec=%3\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QLatin1String(kRunAtStartupName), entryString(path), execArgument(path));
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
