#pragma once

#include <stdexcept>
#include <string>

namespace qz {

// The name under which the program is started at logon (the Run value on Windows, the
// autostart entry's name and file name on Linux).
inline constexpr const char* kRunAtStartupName = "ZE Zivuzoziz";

// Raised by RunAtStartup::registerEntry; what() is the text shown to the user, e.g.
// "Failed to create key Software\Microsoft\Windows\CurrentVersion\Run" or
// "Failed to set data for 'ZE Zivuzoziz'".
class RunAtStartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The per-user mechanism that starts the program at logon, kept under kRunAtStartupName.
class RunAtStartup {
public:
    virtual ~RunAtStartup() = default;

    // Makes the program at path (the running executable's full path, UTF-8) start at the
    // user's logon, replacing an earlier entry of that name whoever wrote it. Throws
    // RunAtStartupError when the entry's container cannot be created or the entry cannot be
    // written.
    virtual void registerEntry(const std::string& path) = 0;

    // Removes the entry, whoever wrote it. False for an empty path (nothing is done) or when
    // the removal failed; a missing entry is no failure. Never throws.
    virtual bool unregisterEntry(const std::string& path) noexcept = 0;
};

} // namespace qz
