// The notification-area icon through the shell's Shell_NotifyIconA.
#pragma once

#include "services/notification_area.h"

namespace morvex::win32 {

class Win32NotificationArea : public services::NotificationArea {
 public:
  std::uint32_t RecordSize() const override;
  void Notify(int message, const services::TrayIconRecord& record) override;
  void ShowBalloon(const services::TrayIconRecord& record, const std::string& title,
                   const std::string& text) override;
};

}  // namespace morvex::win32
