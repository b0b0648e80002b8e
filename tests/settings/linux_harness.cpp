#include "linux_harness.h"

#include "settings/ini_registry.h"
#include "settings/xdg_run_at_startup.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace qz::test {

namespace {

bool setImmutable(const QString& folder, bool on) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

LinuxHarness::LinuxHarness() : m_oldHome(qgetenv("HOME")), m_oldConfig(qgetenv("XDG_CONFIG_HOME")) {
    QDir().mkpath(configDir());
    QDir().mkpath(root() + QStringLiteral("/home"));
    qputenv("HOME", QFile::encodeName(root() + QStringLiteral("/home")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir()));
}

LinuxHarness::~LinuxHarness() {
    for (const QString& folder : m_lockedFolders) {
        setImmutable(folder, false);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("HOME", m_oldHome);
    qputenv("XDG_CONFIG_HOME", m_oldConfig);
}

std::unique_ptr<Registry> LinuxHarness::registry() {
    return std::make_unique<IniRegistry>();
}

std::unique_ptr<RunAtStartup> LinuxHarness::runAtStartup() {
    return std::make_unique<XdgRunAtStartup>();
}

std::optional<std::string> LinuxHarness::storedText(const std::string& name) {
    if (!QFile::exists(settingsFile()))
        return std::nullopt;
    // Read a copy: QSettings shares one parsed file per path within a process, and that
    // could hold writes that never reached the disk.
    const QString copy = root() + QStringLiteral("/readback-%1.ini").arg(++m_readbacks);
    if (!QFile::copy(settingsFile(), copy))
        return std::nullopt;
    const QSettings settings(copy, QSettings::IniFormat);
    const QVariant value = settings.value(QString::fromStdString(name));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toStdString();
}

void LinuxHarness::storeText(const std::string& name, const std::string& text) {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(QString::fromStdString(name), QString::fromStdString(text));
    settings.sync();
}

void LinuxHarness::storeOtherType(const std::string& name) {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(QString::fromStdString(name), QByteArray("1"));
    settings.sync();
}

bool LinuxHarness::lockFolder(const QString& folder) {
    QDir().mkpath(folder);
    m_lockedFolders << folder;
    if (::geteuid() != 0)
        return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    return setImmutable(folder, true);
}

bool LinuxHarness::makeReadOnly() {
    // The file itself stays writable: only a writer that replaces it through a temporary
    // file in its folder is refused, so this also shows the store never writes in place.
    return lockFolder(settingsDir());
}

std::optional<std::string> LinuxHarness::runEntry() {
    QFile file(entryFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return programOfEntry(QString::fromUtf8(file.readAll()));
}

void LinuxHarness::storeForeignRunEntry() {
    QDir().mkpath(autostartDir());
    QFile file(entryFile());
    file.open(QIODevice::WriteOnly);
    file.write("[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/true --flag\n");
}

std::string LinuxHarness::executablePath(const std::string& folder) {
    return (root() + QLatin1Char('/') + QString::fromStdString(folder) +
            QStringLiteral("/qz scheduler"))
        .toStdString();
}

std::optional<std::string> programOfEntry(const QString& entryText) {
    QString exec;
    bool found = false;
    for (const QString& line : entryText.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Exec="))) {
            exec = line.mid(5);
            found = true;
        }
    }
    if (!found)
        return std::nullopt;

    QString value;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] != QLatin1Char('\\') || i + 1 == exec.size()) {
            value += exec[i];
            continue;
        }
        const QChar next = exec[++i];
        if (next == QLatin1Char('s'))
            value += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            value += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            value += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            value += QLatin1Char('\r');
        else if (next == QLatin1Char('\\'))
            value += QLatin1Char('\\');
        else
            value += QLatin1Char('\\') + QString(next);
    }
    value.replace(QStringLiteral("%%"), QStringLiteral("%"));

    QString program;
    if (!value.startsWith(QLatin1Char('"')))
        return value.section(QLatin1Char(' '), 0, 0).toStdString();
    qsizetype i = 1;
    for (; i < value.size() && value[i] != QLatin1Char('"'); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size() &&
            QStringLiteral("\"`$\\").contains(value[i + 1]))
            ++i;
        program += value[i];
    }
    if (i + 1 != value.size()) // unterminated quote or arguments after it
        return std::nullopt;
    return program.toStdString();
}

} // namespace qz::test
