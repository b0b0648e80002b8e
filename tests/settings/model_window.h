#pragma once

// A stand-in for the main window as the settings store sees it: the layout's initial states,
// handlers that save as the window's do, and a log of every control the store touched.

#include "settings/settings_store.h"
#include "settings/settings_target.h"

#include <string>
#include <vector>

namespace qz::test {

class ModelWindow : public SettingsTarget {
public:
    explicit ModelWindow(SettingsStore& store) : m_store(store) {}

    // Layout state.
    std::string downAction = "shutdown";
    bool notifications = true;
    bool stayOnTop = true;
    bool runAtStartup = false;
    int activeLanguage = 2;
    int comboIndex = -1;
    int systemDefaultLanguage = 2;
    bool everyday = false;
    std::string everydayTime = "23:00";

    std::vector<std::string> log;
    std::vector<std::string> errors; // reported to the user

    void pressActionButton(std::string_view word) override {
        log.push_back("press " + std::string(word));
        if (downAction != word) {
            downAction = std::string(word);
            log.push_back("click " + downAction);
        }
    }

    void setSwitch(SettingsSwitch which, bool on) override {
        bool& state = stateOf(which);
        if (state == on)
            return;
        state = on;
        log.push_back(std::string(nameOf(which)) + (on ? " on" : " off"));
        if (which == SettingsSwitch::RunAtStartup)
            m_store.swBaslangicChangeState(*this);
        else
            m_store.SaveSettings(*this);
    }

    int defaultLanguage() const override { return systemDefaultLanguage; }

    void applyLanguage(int language) override {
        activeLanguage = language;
        comboIndex = language - 1;
        log.push_back("language " + std::to_string(language));
    }

    void showSwitchState(SettingsSwitch which, bool on) override {
        stateOf(which) = on;
        log.push_back(std::string("show ") + nameOf(which) + (on ? " on" : " off"));
    }
    void reportError(const std::string& text) override { errors.push_back(text); }

    bool switchOn(SettingsSwitch which) const override {
        return const_cast<ModelWindow*>(this)->stateOf(which);
    }
    int selectedLanguageIndex() const override { return comboIndex; }
    bool actionButtonDown(std::string_view word) const override { return downAction == word; }
    bool everydayChecked() const override { return everyday; }
    std::string everydayTimeText() const override { return everydayTime; }

    static const char* nameOf(SettingsSwitch which) {
        switch (which) {
        case SettingsSwitch::Notifications:
            return "swBildirim";
        case SettingsSwitch::StayOnTop:
            return "swUstte";
        case SettingsSwitch::RunAtStartup:
            return "swBaslangic";
        }
        return "";
    }

private:
    bool& stateOf(SettingsSwitch which) {
        switch (which) {
        case SettingsSwitch::Notifications:
            return notifications;
        case SettingsSwitch::StayOnTop:
            return stayOnTop;
        case SettingsSwitch::RunAtStartup:
            break;
        }
        return runAtStartup;
    }

    SettingsStore& m_store;
};

} // namespace qz::test
