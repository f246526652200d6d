// The notification-area icon through the shell's Shell_NotifyIconW, and the
// program's own notice window for the times the shell holds balloons back.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "services/notification_area.h"
#include "win32/handles.h"

namespace morvex::win32 {

// The message the shell sends every top-level window when it has made its
// taskbar (anew, after Explorer restarted): the icons must be added again.
UINT TaskbarCreatedMessage();

class Win32NotificationArea : public services::NotificationArea {
 public:
  // The shell's icon call; a test hands one of its own to see the arguments.
  using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
  explicit Win32NotificationArea(NotifyFunction notify = Shell_NotifyIconW) : notify_(notify) {}

  std::uint32_t RecordSize() const override;
  bool Notify(int message, const services::TrayIconRecord& record) override;
  void ShowBalloon(const services::TrayIconRecord& record, const std::string& title,
                   const std::string& text) override;
  services::UserState QueryUserState() override;
  void ShowNotice(const std::string& title, const std::string& text) override;
  void CloseNotice() override;
  // The notice window (hidden once clicked), or nullptr once closed.
  HWND NoticeWindow() const { return notice_.get(); }

 private:
  NotifyFunction notify_;
  UniqueWindow notice_;
};

}  // namespace morvex::win32
