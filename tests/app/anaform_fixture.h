#pragma once

// A main window over recording fakes and a manual clock, for the window tests.

#include "app/anaform.h"
#include "app/user_prompts.h"
#include "reminders/notifier.h"
#include "settings/fake_registry.h"
#include "settings/settings_store.h"
#include "support/manual_clock.h"
#include "support/recording_power_backend.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qz::test {

struct RecordingPrompts : UserPrompts {
    struct Box {
        QString title;
        QString text;
    };
    std::vector<Box> errors;
    std::vector<Box> questions;
    bool answer = false;

    void showError(QWidget*, const QString& title, const QString& text) override {
        errors.push_back({title, text});
    }
    bool askYesNo(QWidget*, const QString& title, const QString& text) override {
        questions.push_back({title, text});
        return answer;
    }
};

struct FakeIdle : IdleTime {
    std::uint32_t seconds = 100;
    bool canMeasure = true;
    std::uint32_t idleSeconds() override { return seconds; }
    bool measurable() const override { return canMeasure; }
};

struct RecordingNotifier : Notifier {
    std::vector<QString>* shown;
    QList<NotifierAction> lastActions; // offered with the last notification
    explicit RecordingNotifier(std::vector<QString>* log) : shown(log) {}
    void showReminder(const QString&, const QString&, const QString& body,
                      const QList<NotifierAction>& actions) override {
        shown->push_back(body);
        lastActions = actions;
    }
    void invoke(const QString& key) const { actionInvoked(key); }
};

// The window's test dependencies in one place: recording fakes that stay reachable through
// raw pointers and shared states after the window has taken them over. The clock and the
// power backend are the caller's, since the tests differ there.
struct WindowTestDeps {
    AnaformDeps make(std::unique_ptr<Clock> clock, std::unique_ptr<PowerBackend> power) {
        AnaformDeps deps;
        deps.clock = std::move(clock);
        deps.power = std::move(power);
        auto fakeIdle = std::make_unique<FakeIdle>();
        idle = fakeIdle.get();
        deps.idle = std::move(fakeIdle);
        auto recordingPrompts = std::make_unique<RecordingPrompts>();
        prompts = recordingPrompts.get();
        deps.prompts = std::move(recordingPrompts);
        deps.settings = std::make_unique<SettingsStore>(std::make_unique<FakeRegistry>(registry),
                                                        std::make_unique<FakeRunAtStartup>(logon),
                                                        "/opt/qz/qzscheduler");
        deps.makeNotifier = [this](QSystemTrayIcon*) {
            auto made = std::make_unique<RecordingNotifier>(&reminders);
            notifier = made.get();
            return made;
        };
        deps.openUrl = [this](const QUrl& url) { openedUrls.push_back(url); };
        deps.systemLocaleName = [this] { return systemLocale; };
        return deps;
    }

    std::shared_ptr<FakeRegistryState> registry = std::make_shared<FakeRegistryState>();
    std::shared_ptr<FakeRunAtStartupState> logon = std::make_shared<FakeRunAtStartupState>();
    QString systemLocale = QStringLiteral("en_US");
    FakeIdle* idle = nullptr;
    RecordingPrompts* prompts = nullptr;
    std::vector<QString> reminders;
    RecordingNotifier* notifier = nullptr;
    std::vector<QUrl> openedUrls;
};

// Builds a window over the fakes and a manual clock.
class AnaformTest : public ::testing::Test, protected WindowTestDeps {
protected:
    // Stored settings the next window starts with.
    void store(const std::string& name, const std::string& text) {
        registry->values[name] = {true, text};
    }
    std::string stored(const std::string& name) const {
        const auto it = registry->values.find(name);
        return it == registry->values.end() ? std::string("<missing>") : it->second.text;
    }

    TAnaform& create(const QDateTime& now = QDateTime(QDate(2026, 3, 10), QTime(14, 25))) {
        auto manualClock = std::make_unique<ManualClock>(now);
        clock = manualClock.get();
        auto recordingPower = std::make_unique<RecordingPowerBackend>();
        power = recordingPower.get();
        window =
            std::make_unique<TAnaform>(make(std::move(manualClock), std::move(recordingPower)));
        return *window;
    }

    // Creates and shows the window (FormShow runs once, before it becomes visible).
    TAnaform& start(const QDateTime& now = QDateTime(QDate(2026, 3, 10), QTime(14, 25))) {
        create(now);
        window->show();
        return *window;
    }

    // Ends the program the way the event loop's end does: the window is destroyed.
    void destroyWindow() { window.reset(); }

    template <typename T> T* child(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // One tick of the task timer after the clock moved on.
    void tickAfter(qint64 msecs) {
        clock->advanceMSecs(msecs);
        window->timerGorevTimer();
    }

    void TearDown() override { window.reset(); }

    ManualClock* clock = nullptr;
    RecordingPowerBackend* power = nullptr;
    std::unique_ptr<TAnaform> window;
};

} // namespace qz::test
