#pragma once

#include <string>
#include <string_view>

namespace qz {

// The three switches of the settings panel.
enum class SettingsSwitch {
    Notifications, // swBildirim
    StayOnTop,     // swUstte
    RunAtStartup,  // swBaslangic
};

// What the settings store needs from the main window. The window implements it; the store
// calls it only from inside LoadSettings / SaveSettings / swBaslangicChangeState, on the
// user-interface thread. Action words are those of settings_keys::kActionWords.
//
// Methods used by LoadSettings (each must behave exactly as the user's own change would):
// - pressActionButton: sets the button of that word down. When it was not down yet, the
//   other button of the group is released and the button's click handler runs (closes
//   the settings panel, recomposes the description). When it is down already, nothing runs.
// - setSwitch: sets the switch's state. When the state really changes, the switch's change
//   handler runs (swUstteChangeState, swBildirimChangeState, swBaslangicChangeState), and
//   each of those handlers ends with SettingsStore::SaveSettings. An exception escaping a
//   handler may propagate out of setSwitch; the store catches it and ends the load.
// - defaultLanguage: the language to take when no valid one is stored: 1 (Turkish) when the
//   system's default language identifier is 0x041F, else 2. Asked at the moment of the call.
// - applyLanguage: makes language 1 or 2 active, then selects entry (language - 1) of the
//   language box, which runs its change handler cmbDilChange.
//
// Methods used by SaveSettings:
// - showSwitchState: shows the switch in that state without running its handler (a save
//   with the everyday trigger checked stores run-at-startup as on; the screen follows).
// - reportError: tells the user why the logon entry could not be written (an error box).
// and plain reads of the window's current state, with no side effects:
// - switchOn, selectedLanguageIndex (the language box's selected entry, -1 for none),
//   actionButtonDown (whether the button of that word is down), everydayChecked (whether
//   the everyday trigger radiohergun is checked) and everydayTimeText (the text of the
//   everyday time field qzTimeEdit1, "HH:MM").
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;

    virtual void pressActionButton(std::string_view word) = 0;
    virtual void setSwitch(SettingsSwitch which, bool on) = 0;
    virtual int defaultLanguage() const = 0;
    virtual void applyLanguage(int language) = 0;

    virtual void showSwitchState(SettingsSwitch which, bool on) = 0;
    virtual void reportError(const std::string& text) = 0;

    virtual bool switchOn(SettingsSwitch which) const = 0;
    virtual int selectedLanguageIndex() const = 0;
    virtual bool actionButtonDown(std::string_view word) const = 0;
    virtual bool everydayChecked() const = 0;
    virtual std::string everydayTimeText() const = 0;
};

} // namespace qz
