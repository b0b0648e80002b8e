#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// What reading one named value of a registry key gave.
enum class RegistryReadStatus {
    Missing,       // no value of that name; text is empty
    Text,          // a text value (up to its first NUL; an empty or zero-sized value is "")
    OtherType,     // a value exists but is not text (a number, binary data, a list, ...)
    AccessFailure, // the key or value could not be read at all
};

struct RegistryRead {
    RegistryReadStatus status = RegistryReadStatus::Missing;
    std::string text; // UTF-8; meaningful for Text only
};

// An open key of the current user's registry. Closing is destroying the object.
// Texts are UTF-8. No method throws.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    virtual RegistryRead read(std::string_view name) = 0;
    // Stores name as a text value, replacing any earlier value of that name. Returns false
    // when the store refused it; a true return means the value has reached the store.
    virtual bool writeText(std::string_view name, std::string_view text) = 0;
    // Removes the value. A missing value is no error (true).
    virtual bool deleteValue(std::string_view name) = 0;

    struct NamedText {
        std::string_view name;
        std::string text;
    };
    // Stores several text values as one record. A store that can replace its contents in
    // one step (the INI file) writes all or none of them; the default writes them in order
    // and stops at the first refusal.
    virtual bool writeTexts(const std::vector<NamedText>& values) {
        for (const NamedText& v : values) {
            if (!writeText(v.name, v.text))
                return false;
        }
        return true;
    }
};

// The current user's per-user registry.
class Registry {
public:
    virtual ~Registry() = default;

    // Opens the key below the user's root reached by the given levels, one after the other,
    // creating each missing level, with read and write access. Returns nullptr when a level
    // can be neither opened nor created.
    virtual std::unique_ptr<RegistryKey> openKey(const std::vector<std::string>& levels) = 0;
};

} // namespace qz
