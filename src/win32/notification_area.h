// The notification-area icon through the shell's Shell_NotifyIconA.
#pragma once

#include <windows.h>

#include "services/notification_area.h"

namespace morvex::win32 {

// The message the shell sends every top-level window when it has made its
// taskbar (anew, after Explorer restarted): the icons must be added again.
UINT TaskbarCreatedMessage();

class Win32NotificationArea : public services::NotificationArea {
 public:
  std::uint32_t RecordSize() const override;
  bool Notify(int message, const services::TrayIconRecord& record) override;
  void ShowBalloon(const services::TrayIconRecord& record, const std::string& title,
                   const std::string& text) override;
};

}  // namespace morvex::win32
