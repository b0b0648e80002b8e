#include "app/process/local_channel.h"

namespace qz {

std::optional<QByteArrayList> wholeLines(const QByteArray& received) {
    QByteArrayList lines = received.split('\n');
    lines.removeLast(); // the unfinished rest after the last line break
    if (lines.isEmpty())
        return std::nullopt;
    return lines;
}

} // namespace qz
