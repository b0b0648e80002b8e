#include "settings/ini_registry.h"

#include "settings/settings_keys.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace qz {

namespace {

class IniKey : public RegistryKey {
public:
    explicit IniKey(QString fileName) : m_fileName(std::move(fileName)) {
        reopen();
        switch (m_settings->status()) {
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

    RegistryRead read(std::string_view name) override {
        if (m_state != State::Ok)
            return {RegistryReadStatus::AccessFailure, {}};
        const QString key = QString::fromUtf8(name.data(), qsizetype(name.size()));
        if (!m_settings->contains(key))
            return {RegistryReadStatus::Missing, {}};
        const QVariant value = m_settings->value(key);
        if (value.typeId() != QMetaType::QString)
            return {RegistryReadStatus::OtherType, {}};
        QString text = value.toString();
        // Same as a registry text: it ends at the first NUL.
        if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
            text.truncate(nul);
        return {RegistryReadStatus::Text, text.toStdString()};
    }

    bool writeText(std::string_view name, std::string_view text) override {
        if (!prepareWrite())
            return false;
        m_settings->setValue(QString::fromUtf8(name.data(), qsizetype(name.size())),
                             QString::fromUtf8(text.data(), qsizetype(text.size())));
        return commit();
    }

    bool deleteValue(std::string_view name) override {
        if (!prepareWrite())
            return false;
        m_settings->remove(QString::fromUtf8(name.data(), qsizetype(name.size())));
        return commit();
    }

private:
    enum class State { Ok, Corrupt, Unreadable, Failed };

    void reopen() {
        m_settings.reset();
        m_settings = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
        // Never a half-written settings file: a sync that cannot go through a temporary file
        // fails instead of writing in place.
        m_settings->setAtomicSyncRequired(true);
    }

    bool prepareWrite() {
        switch (m_state) {
        case State::Ok:
            return true;
        case State::Corrupt:
            if (!moveCorruptFileAside()) {
                m_state = State::Failed;
                return false;
            }
            reopen();
            m_state = m_settings->status() == QSettings::NoError ? State::Ok : State::Failed;
            return m_state == State::Ok;
        case State::Unreadable: // replacing it would lose whatever it holds
        case State::Failed:
            break;
        }
        return false;
    }

    bool moveCorruptFileAside() {
        m_settings.reset();
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
        m_settings->sync();
        if (m_settings->status() != QSettings::NoError) {
            m_state = State::Failed;
            return false;
        }
        return true;
    }

    QString m_fileName;
    std::unique_ptr<QSettings> m_settings;
    State m_state = State::Failed;
};

} // namespace

IniRegistry::IniRegistry(QString fileName) : m_fileName(std::move(fileName)) {}

QString IniRegistry::userFileName() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QZ Software"),
                     QStringLiteral("QZScheduler"))
        .fileName();
}

std::unique_ptr<RegistryKey> IniRegistry::openKey(const std::vector<std::string>& levels) {
    if (levels != settings_keys::kSettingsKeyLevels)
        return nullptr;
    return std::make_unique<IniKey>(m_fileName.isEmpty() ? userFileName() : m_fileName);
}

} // namespace qz
