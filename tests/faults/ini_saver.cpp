// Saves through the INI settings store without end, for the kill-during-save test.
//   qz_ini_saver seed FILE   writes the padding value and every counter as 0, then exits
//   qz_ini_saver loop FILE   raises all counters in one record per save until killed,
//                            printing "saved" after each save the store reported done
// A save is one record, as the program's saves are, so a file read at any moment holds
// every counter at the same value.
#include "ini_saver_layout.h"
#include "settings/ini_registry.h"
#include "settings/settings_keys.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 64;
    const std::string mode = argv[1];
    qz::IniRegistry registry(QString::fromLocal8Bit(argv[2]));
    auto key = registry.openKey(qz::settings_keys::kSettingsKeyLevels);
    if (!key)
        return 3;

    if (mode == "seed") {
        if (!key->writeText(qz::faults::kPadName, qz::faults::padText()))
            return 2;
        for (const char* name : qz::faults::kCounterNames)
            if (!key->writeText(name, "0"))
                return 2;
        return 0;
    }
    if (mode != "loop")
        return 64;

    const qz::RegistryRead last = key->read(qz::faults::kCounterNames[0]);
    long pass = last.status == qz::RegistryReadStatus::Text ? std::stol(last.text) : 0;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (;;) {
        ++pass;
        std::vector<qz::RegistryKey::NamedText> record;
        for (const char* name : qz::faults::kCounterNames)
            record.push_back({name, std::to_string(pass)});
        if (!key->writeTexts(record))
            return 2;
        // Told only once the store reported the save done.
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}
