// The wait window of a run, seen from outside while the run works: its label
// is on the screen (its pixels are not all of one colour) from the moment the
// window shows until the run is over, though the run handles no message.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

// The colours of a window's pixels as the screen shows them (read from the
// screen, not from the window: what the user sees).
std::set<COLORREF> ColoursOnScreen(HWND hwnd) {
  RECT r;
  if (!GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top) return {};
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return std::set<COLORREF>(pixels.begin(), pixels.end());
}

// For its lifetime, every TASKKILL takes its time and ends nothing.
struct SlowStandIn {
  SlowStandIn() { SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_TAKES_MS", L"3000"); }
  ~SlowStandIn() { SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_TAKES_MS", nullptr); }
  StandInThatEndsNothing endsNothing;
};

TEST(WaitWindow, ItsLabelIsOnTheScreenWhileTheRunWorks) {
  Morvex app(FreshFolder("wait-window"));
  WriteFileBytes(app.PathOf(L"List2.txt"), "mvx_not_running.exe\r\n");
  const SlowStandIn slow;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  const auto waitWindow = [&]() -> HWND {
    for (HWND hwnd : app.TopWindows()) {
      if (hwnd != app.Form1() && app.ClassOf(hwnd) == "MorvexForm") return hwnd;
    }
    return nullptr;
  };
  app.Click("Command2");
  HWND form2 = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (form2 = waitWindow()) != nullptr; }));
  const HWND label = FindControl(form2, IdOf("Form2", "Label1"));
  ASSERT_NE(label, nullptr);
  // Read while the run still holds the window: the TASKKILL takes 3 s.
  std::set<COLORREF> colours;
  EXPECT_TRUE(WaitFor([&] { return (colours = ColoursOnScreen(label)).size() > 1 || !IsWindow(form2); }, 2000));
  EXPECT_TRUE(IsWindow(form2) && IsWindowVisible(form2)) << "the run was over before the label was read";
  EXPECT_GT(colours.size(), 1u) << "the label is one colour on the screen: "
                                << (colours.empty() ? "none" : std::to_string(*colours.begin()));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(form2) || !IsWindowVisible(form2); }));
}

}  // namespace
}  // namespace morvex::e2e
