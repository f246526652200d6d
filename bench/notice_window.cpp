// The notice of the final minute on its own, as morvex.exe shows it where
// Windows holds balloons back (DPI-aware, with sample names), until it is
// clicked or the program is ended: what tools/screenshots.sh photographs.
// It prints where the notice lies on the screen: "<width>x<height>+<x>+<y>".
#include <windows.h>

#include <cstdio>

#include "tray/tray.h"
#include "win32/dpi.h"
#include "win32/notification_area.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  morvex::win32::DeclareDpiAwareness();
  morvex::win32::Win32NotificationArea area;
  area.ShowNotice(morvex::tray::kFinalMinuteTitle,
                  morvex::tray::FinalMinuteText(30, {"spiel.exe", "browser.exe"}));
  RECT rect{};
  GetWindowRect(area.NoticeWindow(), &rect);
  std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
  std::fflush(stdout);
  MSG msg;
  while (area.NoticeWindow() && IsWindowVisible(area.NoticeWindow()) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    DispatchMessageW(&msg);
  }
  return 0;
}
