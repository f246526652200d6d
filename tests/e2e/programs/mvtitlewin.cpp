// A top-level window with a given title, for the title-termination tests:
//   mvtitlewin.exe close|ignore TITLE
// "close" honours WM_CLOSE and ends with exit code 7; "ignore" stays open.
// Every WM_CLOSE received is counted in the window's GWLP_USERDATA.
#include <windows.h>

#include <string>

namespace {

bool honoursClose = true;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, GetWindowLongPtrW(hwnd, GWLP_USERDATA) + 1);
      if (honoursClose) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(7);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int) {
  const std::wstring line(args);
  const auto blank = line.find(L' ');
  if (blank == std::wstring::npos) return 2;
  honoursClose = line.substr(0, blank) == L"close";
  const std::wstring title = line.substr(blank + 1);

  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"MvTitleWin";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"MvTitleWin", title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 320, 160, nullptr, nullptr,
                            instance, nullptr);
  if (!hwnd) return 3;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
