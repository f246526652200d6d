#include "win32/notification_area.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <iterator>

#include "win32/text.h"

namespace morvex::win32 {

static_assert(services::kTrayAdd == NIM_ADD && services::kTrayDelete == NIM_DELETE);
static_assert(services::kTrayFlagMessage == NIF_MESSAGE && services::kTrayFlagIcon == NIF_ICON &&
              services::kTrayFlagTip == NIF_TIP);
static_assert(services::kPointerMoveMessage == WM_MOUSEMOVE && services::kRightButtonUpMessage == WM_RBUTTONUP);

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

std::uint32_t Win32NotificationArea::RecordSize() const { return NOTIFYICONDATAA_V1_SIZE; }

bool Win32NotificationArea::Notify(int message, const services::TrayIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = record.size;
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  static_assert(sizeof data.szTip >= 64);
  std::memcpy(data.szTip, record.tip.data(), 64);
  data.szTip[63] = '\0';
  if (Shell_NotifyIconA(static_cast<DWORD>(message), &data)) return true;
  // The shell refuses to add an icon it shows already, and may answer late
  // (a time-out) for one it has added: a change it accepts says the icon is
  // there.
  return message == NIM_ADD && Shell_NotifyIconA(NIM_MODIFY, &data);
}

void Win32NotificationArea::ShowBalloon(const services::TrayIconRecord& record, const std::string& title,
                                        const std::string& text) {
  // The wide record in its second form, the first with a balloon; the icon is
  // the one the first form added, named by its window and id.
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
  const std::wstring wideTitle = Widen(title);
  const std::wstring wideText = Widen(text);
  wcsncpy(data.szInfoTitle, wideTitle.c_str(), std::size(data.szInfoTitle) - 1);
  wcsncpy(data.szInfo, wideText.c_str(), std::size(data.szInfo) - 1);
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace morvex::win32
