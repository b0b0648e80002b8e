#pragma once

#include <QString>
#include <QtGlobal>

namespace qz {

// The window steps of the version check and the update. The main window implements this and
// owns the Updater that calls it; every call comes on the user-interface thread, and none comes
// after Updater::cancel() or the Updater's destruction.
class UpdateWindow {
public:
    virtual ~UpdateWindow() = default;

    // The message string of this key (messageKey(MessageId)) in the active language.
    virtual QString messageString(const QString& id) const = 0;

    // Modal Yes/No box with the question icon and the title "ZE Zivuzoziz"; true for Yes.
    // Runs a nested event loop, so timers (the countdown) keep running while it is open.
    virtual bool askYesNo(const QString& text) = 0;

    // The window stops staying on top; the stay-on-top switch keeps its state.
    virtual void stopStayingOnTop() = 0;

    // Make the update ring visible and open the settings panel so that it shows.
    virtual void showUpdateRing() = 0;

    // The update ring's caption.
    virtual void setUpdateRingCaption(const QString& caption) = 0;

    // Download progress: bytes received so far and the total length, or -1 while unknown.
    // The ring's maximum becomes the total and its value the bytes received.
    virtual void setUpdateRingProgress(qint64 received, qint64 total) = 0;

    // Hide the update ring and close the settings panel.
    virtual void hideUpdateRing() = 0;

    // Tell the user the download failed: an error box with this text and the title
    // "ZE Zivuzoziz". Runs a nested event loop like askYesNo().
    virtual void showUpdateFailure(const QString& text) = 0;

    // End the program the normal way: the event loop stops and the window's destroy step saves
    // the settings. The everyday flag is left as it is. Called after the new program started.
    virtual void endProgram() = 0;
};

} // namespace qz
