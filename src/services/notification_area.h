// The notification-area icon.
#pragma once

#include <cstdint>
#include <string>

namespace morvex::services {

// The icon's registration record, field for field as the shell's first,
// wide (Unicode) form of its icon record lays it out. `size` is that form's
// size on this platform; the tip is UTF-8, of which the shell shows 63
// UTF-16 units, the same on every Windows whatever its ANSI code page.
struct TrayIconRecord {
  std::uint32_t size = 0;
  std::uintptr_t window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uintptr_t icon = 0;
  std::string tip;
};

enum TrayMessage : int { kTrayAdd = 0, kTrayModify = 1, kTrayDelete = 2 };

// What the user is doing as the shell sees it (SHQueryUserNotificationState),
// by the shell's own numbers; kUnknown where it does not say.
enum class UserState : int {
  kUnknown = 0,
  kNotPresent = 1,         // a screen saver, a locked screen, another user's session
  kBusy = 2,               // a full-screen program, or one in "busy" mode
  kD3dFullScreen = 3,      // a Direct3D program in exclusive full-screen mode
  kPresentation = 4,       // presentation settings on
  kAcceptsNotifications = 5,
  kQuietTime = 6,          // the first hour after a new user's first log-on
  kApp = 7,                // a Windows Store program in full screen
};

// The record's flags: which of its fields the shell reads.
inline constexpr std::uint32_t kTrayFlagMessage = 1;  // callbackMessage
inline constexpr std::uint32_t kTrayFlagIcon = 2;     // icon
inline constexpr std::uint32_t kTrayFlagTip = 4;      // tip

// The icon reports every mouse action over it to its window as this message
// (the pointer-movement message), with the mouse message in the low word of
// the second parameter, where a real movement carries the x coordinate.
inline constexpr std::uint32_t kPointerMoveMessage = 0x200;
// The mouse message of the release of the right button.
inline constexpr std::uint32_t kRightButtonUpMessage = 0x205;

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // The size of the record's first form on this platform.
  virtual std::uint32_t RecordSize() const = 0;
  // Hands the record to the shell. True when the shell took it: after an
  // add, when the icon is shown, also where it was shown already.
  virtual bool Notify(int message, const TrayIconRecord& record) = 0;
  // A notification balloon over the icon the record names (its window and
  // id): the information icon, no sound, the title and text in UTF-8, cut to
  // what the shell takes. Nothing is shown where there is no such icon, and
  // nothing waits for it.
  virtual void ShowBalloon(const TrayIconRecord& record, const std::string& title, const std::string& text) = 0;
  virtual UserState QueryUserState() = 0;
  // The program's own notice: a small window on top of the others that takes
  // no focus, at the bottom right of the work area of the monitor that holds
  // the foreground window, with the title and text in UTF-8. It stays until
  // it is clicked or closed; a second one takes the first one's place.
  virtual void ShowNotice(const std::string& title, const std::string& text) = 0;
  virtual void CloseNotice() = 0;
};

}  // namespace morvex::services
