#pragma once

#include <QString>

namespace qz {

// The locale name ("tr_TR") of a Windows language identifier (0x041F), or "C" for one the
// system does not know.
QString localeNameOfLanguageId(unsigned short languageId);

} // namespace qz
