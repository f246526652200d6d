// The least a Win32 program with one window does: one window class, the
// window and one static label, a one-second timer that writes the clock into
// the label, and the message loop. bench/startup.sh compares morvex.exe's
// start-up with this program's.
//
// Built with MVX_BARE_CHILDREN=N it also makes N more child windows before
// the show (push buttons and static labels by turns, with one font), to see
// what the windows of a form like morvex.exe's main window cost alone.
#include <windows.h>

#include <cwchar>

namespace {

constexpr UINT_PTR kClockTimer = 1;
HWND label;

void ShowClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t text[16];
  std::swprintf(text, 16, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
  SetWindowTextW(label, text);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      ShowClock();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"MvxBareWindow";
  RegisterClassW(&wc);

  HWND window = CreateWindowW(L"MvxBareWindow", L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              320, 120, nullptr, nullptr, instance, nullptr);
  label = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 20, window, nullptr, instance,
                        nullptr);
#ifdef MVX_BARE_CHILDREN
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");
  for (int i = 0; i < MVX_BARE_CHILDREN; ++i) {
    HWND child = CreateWindowW(i % 2 ? L"STATIC" : L"BUTTON", L"Caption", WS_CHILD | WS_VISIBLE, 10 + (i % 10) * 30,
                               30 + (i / 10) * 12, 28, 11, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                               instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
#endif
  SetTimer(window, kClockTimer, 1000, nullptr);
  ShowWindow(window, show);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
