#pragma once

// The program's titles, in one place. Their spellings differ on purpose: each is the text
// its place has always shown, and users and stored files know them so.
namespace qz {

// The window, the taskbar, the handler error box, the reminders and the outcome notices.
inline constexpr const char* kProgramTitle = "QZ Duvodoro Ruruzovad";
// The tray icon's tip (lower-case q).
inline constexpr const char* kTrayTitle = "qZ Duvodoro Ruruzovad";
// The box that refuses to arm a task (written without the blanks).
inline constexpr const char* kRefusalTitle = "QZ DuvoDoroRuruzovad";
// The update questions and the failed-update box, after the maker's product line.
inline constexpr const char* kUpdateTitle = "ZE Zivuzoziz";

} // namespace qz
