#include "settings/ini_registry.h"

#include "settings/settings_keys.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace qz {

namespace {

// One open of the settings file. Reads come from a private snapshot of the file parsed
// afresh: QSettings shares one parse per path within a process and reports a format error
// only to the first object that parsed it, so a second open would take a corrupt file for a
// good one and a save would then rewrite it from the fragments it understood.
class IniKey : public RegistryKey {
public:
    explicit IniKey(QString fileName) : m_fileName(std::move(fileName)) { inspect(); }

    RegistryRead read(std::string_view name) override {
        if (m_state != State::Ok)
            return {RegistryReadStatus::AccessFailure, {}};
        const QString key = QString::fromUtf8(name.data(), qsizetype(name.size()));
        if (!m_reader || !m_reader->contains(key))
            return {RegistryReadStatus::Missing, {}};
        const QVariant value = m_reader->value(key);
        if (value.typeId() != QMetaType::QString)
            return {RegistryReadStatus::OtherType, {}};
        QString text = value.toString();
        // Same as a registry text: it ends at the first NUL.
        if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
            text.truncate(nul);
        return {RegistryReadStatus::Text, text.toStdString()};
    }

    bool writeText(std::string_view name, std::string_view text) override {
        return writeTexts({{name, std::string(text)}});
    }

    // One replacement of the file for the whole record, so a kill or a full disk never
    // leaves half of a save behind.
    bool writeTexts(const std::vector<NamedText>& values) override {
        if (!prepareWrite())
            return false;
        bool changed = false;
        for (const NamedText& v : values) {
            const QString key = QString::fromUtf8(v.name.data(), qsizetype(v.name.size()));
            const QString value = QString::fromStdString(v.text);
            // A value the file already holds is not written again: every write replaces
            // the whole file and waits for the disk, and most saves repeat what is stored.
            const QVariant stored = m_writer->value(key);
            if (stored.typeId() == QMetaType::QString && stored.toString() == value)
                continue;
            m_writer->setValue(key, value);
            changed = true;
        }
        return !changed || commit();
    }

    bool deleteValue(std::string_view name) override {
        if (!prepareWrite())
            return false;
        m_writer->remove(QString::fromUtf8(name.data(), qsizetype(name.size())));
        return commit();
    }

private:
    enum class State { Ok, Corrupt, Unreadable, Failed };

    void inspect() {
        const QFileInfo info(m_fileName);
        if (!info.exists() && !info.isSymLink()) {
            m_state = State::Ok; // a missing file is an empty key
            return;
        }
        QFile file(m_fileName);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
            m_state = State::Unreadable;
            return;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            m_state = State::Unreadable;
            return;
        }
        if (m_snapshot.open() && m_snapshot.write(bytes) == bytes.size() && m_snapshot.flush()) {
            m_snapshot.close();
            m_reader = std::make_unique<QSettings>(m_snapshot.fileName(), QSettings::IniFormat);
        } else {
            // No temporary folder: the file itself, trusting a format error seen by the first
            // reader only.
            m_reader = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
        }
        switch (m_reader->status()) {
        case QSettings::NoError:
            m_state = State::Ok;
            break;
        case QSettings::FormatError:
            m_state = State::Corrupt;
            break;
        case QSettings::AccessError:
            m_state = State::Unreadable;
            break;
        }
    }

    bool prepareWrite() {
        switch (m_state) {
        case State::Ok:
            break;
        case State::Corrupt:
            // Keep the unparseable file beside the new one rather than overwrite it.
            if (!moveCorruptFileAside()) {
                m_state = State::Failed;
                return false;
            }
            m_state = State::Ok;
            break;
        case State::Unreadable: // replacing it would lose whatever it holds
        case State::Failed:
            return false;
        }
        if (!m_writer) {
            removeAbandonedLock();
            m_writer = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
            // Never a half-written settings file: a sync that cannot go through a temporary
            // file in the same folder fails instead of writing in place.
            m_writer->setAtomicSyncRequired(true);
            // The file was judged by the fresh parse of the snapshot. The writer's own parse
            // may still see a format error (a line cut short), which the next open would no
            // longer report; that file is rewritten from what was read, not refused once.
            if (m_writer->status() == QSettings::AccessError) {
                m_state = State::Failed;
                return false;
            }
        }
        return true;
    }

    // A save killed between creating the lock file and writing its owner into it leaves an
    // empty lock, which the next save would wait on for half a minute before taking it as
    // stale; at start-up that would freeze the window. A live owner fills its lock at once,
    // so an empty one that has aged a little is abandoned.
    void removeAbandonedLock() const {
        const QFileInfo lock(m_fileName + QStringLiteral(".lock"));
        if (lock.isFile() && lock.size() == 0 &&
            lock.lastModified().msecsTo(QDateTime::currentDateTime()) > 2000)
            QFile::remove(lock.filePath());
    }

    bool moveCorruptFileAside() {
        const QString base = m_fileName + QStringLiteral(".corrupt");
        for (int n = 1; n < 1000; ++n) {
            const QString target = n == 1 ? base : base + QLatin1Char('-') + QString::number(n);
            if (QFileInfo::exists(target))
                continue;
            return QFile::rename(m_fileName, target);
        }
        return false;
    }

    bool commit() {
        m_writer->sync();
        // A format error is the parse's (see prepareWrite); only an access error is the write's.
        if (m_writer->status() == QSettings::AccessError) {
            m_state = State::Failed;
            return false;
        }
        return true;
    }

    QString m_fileName;
    State m_state = State::Failed;
    QTemporaryFile m_snapshot;
    std::unique_ptr<QSettings> m_reader;
    std::unique_ptr<QSettings> m_writer;
};

} // namespace

IniRegistry::IniRegistry(QString fileName) : m_fileName(std::move(fileName)) {}

QString IniRegistry::userFileName() {
    // QSettings' own user path for IniFormat on this platform, looked up at every call.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QZ Software/QZScheduler.ini");
}

std::unique_ptr<RegistryKey> IniRegistry::openKey(const std::vector<std::string>& levels) {
    if (levels != settings_keys::kSettingsKeyLevels)
        return nullptr;
    return std::make_unique<IniKey>(m_fileName.isEmpty() ? userFileName() : m_fileName);
}

} // namespace qz
