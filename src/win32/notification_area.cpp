#include "win32/notification_area.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <string>

#include "win32/dpi.h"
#include "win32/text.h"

namespace morvex::win32 {

static_assert(services::kTrayAdd == NIM_ADD && services::kTrayModify == NIM_MODIFY &&
              services::kTrayDelete == NIM_DELETE);
static_assert(services::kTrayFlagMessage == NIF_MESSAGE && services::kTrayFlagIcon == NIF_ICON &&
              services::kTrayFlagTip == NIF_TIP);
static_assert(services::kPointerMoveMessage == WM_MOUSEMOVE && services::kRightButtonUpMessage == WM_RBUTTONUP);
static_assert(static_cast<int>(services::UserState::kNotPresent) == QUNS_NOT_PRESENT &&
              static_cast<int>(services::UserState::kBusy) == QUNS_BUSY &&
              static_cast<int>(services::UserState::kD3dFullScreen) == QUNS_RUNNING_D3D_FULL_SCREEN &&
              static_cast<int>(services::UserState::kPresentation) == QUNS_PRESENTATION_MODE &&
              static_cast<int>(services::UserState::kAcceptsNotifications) == QUNS_ACCEPTS_NOTIFICATIONS &&
              static_cast<int>(services::UserState::kQuietTime) == QUNS_QUIET_TIME);

namespace {

constexpr const wchar_t* kNoticeClass = L"MorvexNotice";

// What the notice window shows, kept with the window (GWLP_USERDATA).
struct NoticeContent {
  std::wstring title, text;
  UniqueFont titleFont, textFont;
  int dpi = 96;
};

// The notice's measures in pixels at its DPI.
struct NoticeMetrics {
  int pad, icon, width;
  explicit NoticeMetrics(int dpi)
      : pad(MulDiv(12, dpi, 96)), icon(MulDiv(32, dpi, 96)), width(MulDiv(340, dpi, 96)) {}
  int TextLeft() const { return 2 * pad + icon; }
  int TextWidth() const { return width - TextLeft() - pad; }
};

// The height of the text in the font when wrapped at the width.
int TextHeight(HDC dc, HFONT font, const std::wstring& text, int width) {
  const Selection selected(dc, font);
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return rect.bottom;
}

void PaintNotice(HWND hwnd, const NoticeContent& content) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const NoticeMetrics m(content.dpi);
  DrawIconEx(dc, m.pad, m.pad, LoadIconW(nullptr, IDI_INFORMATION), m.icon, m.icon, 0, nullptr, DI_NORMAL);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT rect{m.TextLeft(), m.pad, m.TextLeft() + m.TextWidth(), client.bottom - m.pad};
  {
    const Selection selected(dc, content.titleFont.get());
    rect.top += DrawTextW(dc, content.title.c_str(), static_cast<int>(content.title.size()), &rect,
                          DT_WORDBREAK | DT_NOPREFIX);
  }
  rect.top += m.pad / 2;
  const Selection selected(dc, content.textFont.get());
  DrawTextW(dc, content.text.c_str(), static_cast<int>(content.text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK NoticeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* content = reinterpret_cast<NoticeContent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click never takes the focus from the game
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ShowWindow(hwnd, SW_HIDE);  // read: it goes
      return 0;
    case WM_PAINT:
      if (content) {
        PaintNotice(hwnd, *content);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      delete content;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The message font of the system at the DPI, bold or not.
UniqueFont MessageFont(int dpi, bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight ? font.lfHeight : -12, dpi, SystemDpiOf(nullptr));
  if (bold) font.lfWeight = FW_BOLD;
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

std::uint32_t Win32NotificationArea::RecordSize() const { return NOTIFYICONDATAW_V1_SIZE; }

bool Win32NotificationArea::Notify(int message, const services::TrayIconRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = record.size;
  data.hWnd = reinterpret_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.icon);
  const std::wstring tip = Widen(record.tip);
  wcsncpy(data.szTip, tip.c_str(), 63);
  if (notify_(static_cast<DWORD>(message), &data)) return true;
  // The shell refuses to add an icon it shows already, and may answer late
  // (a time-out) for one it has added: a change it accepts says the icon is
  // there.
  return message == NIM_ADD && notify_(NIM_MODIFY, &data);
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
  notify_(NIM_MODIFY, &data);
}

services::UserState Win32NotificationArea::QueryUserState() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return services::UserState::kUnknown;
  return static_cast<services::UserState>(state);
}

void Win32NotificationArea::ShowNotice(const std::string& title, const std::string& text) {
  CloseNotice();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static const bool registered = [instance] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = NoticeProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    wc.lpszClassName = kNoticeClass;
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return;
  // The monitor of the foreground window: where the user looks, the game's
  // screen among several.
  HMONITOR monitor = MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  const RECT& work = info.rcWork;
  // Made on that monitor first, so that its DPI is the monitor's.
  notice_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kNoticeClass, Widen(title).c_str(),
                                WS_POPUP | WS_BORDER, work.right - 1, work.bottom - 1, 1, 1, nullptr, nullptr, instance,
                                nullptr));
  HWND hwnd = notice_.get();
  if (!hwnd) return;
  auto* content = new NoticeContent{Widen(title), Widen(text), {}, {}, SystemDpiOf(hwnd)};
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(content));
  content->titleFont = MessageFont(content->dpi, true);
  content->textFont = MessageFont(content->dpi, false);
  const NoticeMetrics m(content->dpi);
  int height = 0;
  {
    const WindowDc dc(hwnd);
    height = m.pad + TextHeight(dc.get(), content->titleFont.get(), content->title, m.TextWidth()) + m.pad / 2 +
             TextHeight(dc.get(), content->textFont.get(), content->text, m.TextWidth()) + m.pad;
  }
  if (height < m.icon + 2 * m.pad) height = m.icon + 2 * m.pad;
  RECT frame{0, 0, m.width, height};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  const int width = frame.right - frame.left;
  const int outerHeight = frame.bottom - frame.top;
  SetWindowPos(hwnd, HWND_TOPMOST, work.right - width - m.pad, work.bottom - outerHeight - m.pad, width, outerHeight,
               SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
}

void Win32NotificationArea::CloseNotice() { notice_.reset(); }

}  // namespace morvex::win32
