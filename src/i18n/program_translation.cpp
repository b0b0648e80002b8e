#include "i18n/program_translation.h"

#include <QFile>

namespace qz {

QByteArray programTranslationData() {
    QFile file(QString::fromLatin1(kTranslationDataResource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace qz
