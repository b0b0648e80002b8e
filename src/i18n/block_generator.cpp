// Build-time tool: turns the readable translation table (translation_data.txt) into the stored
// block the program reads, so the maker's address lives only in the build configuration.
#include "build_config.h"
#include "i18n/translation_table.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int kLanguages = 2;

int fail(const QString& message) {
    std::fprintf(stderr, "qz_i18n_blockgen: %s\n", qPrintable(message));
    return 1;
}

bool isHeader(const QString& line) {
    return line.endsWith(QStringLiteral("_Unicode"));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3)
        return fail(QStringLiteral("usage: qz_i18n_blockgen <table.txt> <block.bin>"));

    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(source.fileName()));
    const QString text = QString::fromUtf8(source.readAll());

    QStringList lines;
    int lineNo = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        ++lineNo;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!isHeader(line)) {
            // A row must carry every cell and the closing delimiter, or cells shift silently.
            if (line.count(QLatin1Char('|')) != kLanguages + 1 || !line.endsWith(QLatin1Char('|')))
                return fail(QStringLiteral("line %1: a row needs %2 cells, each closed by '|'")
                                .arg(lineNo)
                                .arg(kLanguages));
            line.replace(QLatin1Char('|'), qz::TranslationTable::kDefaultDelimiter);
            line.replace(QStringLiteral("@QZ_MAKER_URL@"), QString::fromUtf8(qz::build::kMakerUrl));
        }
        lines.append(line);
    }

    QByteArray utf16;
    const QString joined = lines.join(QStringLiteral("\r\n"));
    for (const QChar c : joined) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    qz::TranslationTable table;
    table.read(utf16);
    if (!table.isUnicode() || table.rowCount() == 0)
        return fail(QStringLiteral("no section found in %1").arg(source.fileName()));

    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(table.write()) < 0 || !out.commit())
        return fail(QStringLiteral("cannot write %1").arg(out.fileName()));
    return 0;
}
