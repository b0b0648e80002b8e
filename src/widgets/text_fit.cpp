#include "widgets/text_fit.h"

#include <algorithm>

namespace qz {

QStringList wrapText(const QString& text, int maxWidth, const TextWidth& width) {
    // Every line break, whichever its form, ends a paragraph.
    QString paragraphs = text;
    paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines;
    for (const QString& paragraph : paragraphs.split(u'\n')) {
        const QStringList words = paragraph.split(QLatin1Char(' '));
        QString line;
        bool started = false;
        for (const QString& word : words) {
            if (!started) {
                line = word;
                started = true;
                continue;
            }
            const QString candidate = line + QLatin1Char(' ') + word;
            if (width(candidate) <= maxWidth) {
                line = candidate;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
    }
    return lines;
}

namespace {

bool fits(const QStringList& lines, int boxWidth, int boxHeight, int lineHeight,
          const TextWidth& width) {
    if (static_cast<long long>(lines.size()) * lineHeight > boxHeight)
        return false;
    return std::all_of(lines.begin(), lines.end(),
                       [&](const QString& line) { return width(line) <= boxWidth; });
}

} // namespace

QStringList fitText(const QString& text, int boxWidth, int boxHeight, int lineHeight,
                    const TextWidth& width) {
    boxHeight = std::max(boxHeight, lineHeight);
    auto attempt = [&](const QString& candidate, QStringList* out) {
        QStringList lines = wrapText(candidate, boxWidth, width);
        if (!fits(lines, boxWidth, boxHeight, lineHeight, width))
            return false;
        *out = lines;
        return true;
    };
    QStringList result;
    if (attempt(text, &result))
        return result;
    const QString dots = QStringLiteral("...");
    // Cut one character at a time; a cut that still fits once its tail became "..." wins.
    for (qsizetype keep = text.size() - 1; keep >= 4; --keep) {
        if (!attempt(text.left(keep), &result))
            continue;
        if (attempt(text.left(keep - 3) + dots, &result))
            return result;
    }
    if (!text.isEmpty() && attempt(text.left(1) + dots, &result))
        return result;
    return {dots};
}

int centredBlockTop(const QRect& box, int lineCount, int lineHeight) {
    return box.top() + box.height() / 2 - (lineCount * lineHeight) / 2;
}

} // namespace qz
