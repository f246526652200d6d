#include "win32/dpi.h"

#include "win32/handles.h"
#include "win32/lazy_imports.h"
#include "win32/window_record.h"

namespace morvex::win32 {

namespace {

// Functions of user32 that Windows 7 lacks, looked up where they exist.
template <class Fn>
Fn UserFunction(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using MetricForDpiFn = int(WINAPI*)(int, UINT);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetContextFn = BOOL(WINAPI*)(HANDLE);

}  // namespace

void DeclareDpiAwareness() {
  if (const auto setContext = UserFunction<SetContextFn>("SetProcessDpiAwarenessContext")) {
    if (setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;  // per monitor v2
  }
  // Windows 8.1 and the first Windows 10 releases: shcore. Windows 7 and 8
  // have none, so it is loaded from the system folder, never from beside
  // the program.
  if (HMODULE shcore = LoadSystemLibrary(L"shcore.dll")) {
    using SetAwarenessFn = HRESULT(WINAPI*)(int);
    const auto setAwareness =
        reinterpret_cast<SetAwarenessFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "SetProcessDpiAwareness")));
    if (setAwareness && SUCCEEDED(setAwareness(2))) return;  // per monitor
  }
  SetProcessDPIAware();
}

int SystemDpiOf(HWND hwnd) {
  static const auto getDpi = UserFunction<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpi && hwnd) {
    const UINT dpi = getDpi(hwnd);
    if (dpi) return static_cast<int>(dpi);
  }
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : 96;
}

int DpiOf(HWND hwnd) {
  if (hwnd) {
    const WindowRecord* form = RecordOf(GetAncestor(hwnd, GA_ROOT));
    if (form && form->dpi) return form->dpi;
  }
  return SystemDpiOf(hwnd);
}

int MetricForDpi(int index, int dpi) {
  static const auto metric = UserFunction<MetricForDpiFn>("GetSystemMetricsForDpi");
  if (metric) return metric(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpiOf(nullptr));
}

void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = UserFunction<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (adjust) {
    adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

}  // namespace morvex::win32
