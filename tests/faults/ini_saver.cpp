// Saves through the INI settings store without end, for the kill-during-save test.
//   qz_ini_saver seed FILE   writes the padding value and every counter as 0, then exits
//   qz_ini_saver loop FILE   raises the counters one write at a time until killed, printing
//                            "saved" after each write the store reported done
// Each pass writes the counters in kCounterNames order, so a file read at any moment holds
// the first few counters at n + 1 and the rest at n.
#include "ini_saver_layout.h"
#include "settings/ini_registry.h"
#include "settings/settings_keys.h"

#include <QCoreApplication>

#include <cstdio>
#include <iterator>
#include <string>

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

    // Resumes where a kill interrupted the last pass: at the first counter still at the
    // lower value.
    constexpr std::size_t kCount = std::size(qz::faults::kCounterNames);
    long values[kCount] = {};
    for (std::size_t i = 0; i < kCount; ++i) {
        const qz::RegistryRead r = key->read(qz::faults::kCounterNames[i]);
        values[i] = r.status == qz::RegistryReadStatus::Text ? std::stol(r.text) : 0;
    }
    long pass = values[kCount - 1] + 1;
    std::size_t next = 0;
    while (next < kCount && values[next] == pass)
        ++next;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (;; next = 0, ++pass) {
        for (; next < kCount; ++next) {
            if (!key->writeText(qz::faults::kCounterNames[next], std::to_string(pass)))
                return 2;
            // Told only once the store reported the write done.
            std::fputs("saved\n", stdout);
            std::fflush(stdout);
        }
    }
}
