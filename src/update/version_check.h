#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace qz {

// The server text that stands for "no usable answer": it never brings a question.
inline constexpr const char* kServerVersionError = "hata";

inline constexpr const char* kVersionFilePath = "/software/qzscheduler/qzscheduler.txt";

// Path of the new program on the update server and the name it is saved under.
QString UpdateProgramPath();
QString UpdateFileName();

// The update server's base address (scheme, host, port, optional path prefix): the environment
// variable QZ_UPDATE_BASE_URL when it holds a valid http or https address, else the address fixed
// at build time.
QUrl UpdateBaseUrl();
QUrl UpdateBaseUrlFrom(const QString& environmentValue, const QString& buildValue);

// The base address with a server path appended, keeping any path prefix of the base.
QUrl UpdateUrl(const QUrl& base, const QString& path);

// A key of section "VersionInfo" in an INI text, read the way the usual INI reader does: section
// and key names without regard to case, the first match wins, blanks around the value and one
// pair of enclosing quotes removed, at most 2047 characters. Empty when missing.
QString ReadVersionInfoValue(const QByteArray& iniText, QStringView key);
// Its "BuildNumber": the server's version text.
QString ReadBuildNumber(const QByteArray& iniText);

// The optional key holding the SHA-256 of the new program, as hexadecimal digits. Where the
// version file has it, a download that does not match is refused.
inline constexpr char16_t kProgramSha256Key[] = u"SHA256";

// The server version text from an answer: the build number when the server answered 200 with a
// version file that carries one, otherwise "hata".
QString ServerVersionFromAnswer(int httpStatus, const QByteArray& body);

// The program's own version text, four decimal numbers separated by ".". On Windows it is the
// file version of the version resource; elsewhere (and without that resource) the build's version.
QString GetOwnVersion();

// Whether to offer the update: the texts differ and the server gave a real answer. An own version
// that cannot be told (empty) never brings the question.
bool shouldOfferUpdate(const QString& serverVersion, const QString& ownVersion);

} // namespace qz
