// The main window as a user and an automation tool meet it, and the wait window.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

// The bytes of a resource of the module; empty when it has none.
std::string ResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name) {
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return {};
  const void* data = LockResource(LoadResource(module, found));
  return data ? std::string(static_cast<const char*>(data), SizeofResource(module, found)) : std::string();
}

int HeightOf(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect.bottom - rect.top;
}

TEST(MainWindow, ShowsItsControlsByIdAndSwitchesPages) {
  Morvex app(FreshFolder("window"));
  ASSERT_TRUE(app.Start());
  HWND form = app.Form1();
  EXPECT_EQ(app.TextOf(form), "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )");
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != 0; }));

  struct Expected {
    const char* name;
    const char* cls;
    const char* text;
  };
  const Expected samples[] = {
      {"Frame2", "Button", "Diesen Taskprozess manuell Beenden"},
      {"cmdExit", "Button", "Beenden und Deaktivieren"},
      {"cmduebernehmen", "Button", "Übernehemen  >>>"},
      {"List1", "ListBox", ""},
      {"List2", "ListBox", ""},
      {"txtHour", "Edit", "00"},
      {"Label2", "Static", "Morvex"},
      {"xpRollUpContainer1", "MorvexRollUp", "Optionen / Countdown-Planung     Hier Öffnen / Schliessen >>> "},
  };
  for (const auto& sample : samples) {
    SCOPED_TRACE(sample.name);
    HWND hwnd = app.Control(sample.name);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(app.ClassOf(hwnd), sample.cls);
    if (*sample.text) {
      EXPECT_EQ(app.TextOf(hwnd), sample.text);
    }
  }
  EXPECT_EQ(GetDlgCtrlID(app.Control("Frame2")), 1000);

  // The options page opens over the start page and closes to its header again.
  // Its controls are made when it first opens.
  HWND options = app.Control("xpRollUpContainer1");
  const int closed = HeightOf(options);
  EXPECT_EQ(app.Control("Combo1"), nullptr);
  app.Click("xpButton6");
  EXPECT_TRUE(WaitFor([&] { return HeightOf(options) > closed * 5; }));
  EXPECT_EQ(app.ClassOf(app.Control("Combo1")), "ComboBox");
  EXPECT_EQ(app.TextOf(app.Control("Combo1")), "00");
  EXPECT_EQ(app.TextOf(app.Control("Check2")), "Countdown beim Programmstart automatisch aktivieren");
  app.Click("xpButton6");  // opening an open page changes nothing
  app.Click("xpButton8");
  EXPECT_TRUE(WaitFor([&] { return HeightOf(options) == closed; }));

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

// Tab walks every control that takes the focus, the buttons below the visible
// client area included.
TEST(MainWindow, TabReachesTheControlsBelowTheVisibleArea) {
  Morvex app(FreshFolder("tab"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  HWND form = app.Form1();
  const DWORD thread = GetWindowThreadProcessId(form, nullptr);
  const auto focused = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info.hwndFocus;
  };
  HWND command4 = app.Control("Command4");
  bool reached = false;
  for (int step = 0; step < 80 && !reached; ++step) {
    HWND before = focused();
    PostMessageW(before ? before : form, WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(before ? before : form, WM_KEYUP, VK_TAB, 0xC0000001);
    WaitFor([&] { return focused() != before; }, 2000);
    reached = focused() == command4;
  }
  EXPECT_TRUE(reached) << "Command4 (\"Ende\") never took the focus";
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

// The manifest names the version that the version resource holds: both are
// written from project() in CMakeLists.txt.
TEST(MainWindow, TheManifestNamesTheVersionOfTheVersionResource) {
  HMODULE exe = LoadLibraryExW((ProgramFolder() + L"\\morvex.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  const std::string manifest = ResourceBytes(exe, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
  const std::string version = ResourceBytes(exe, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
  FreeLibrary(exe);
  // VS_FIXEDFILEINFO: its signature, the structure's version, then the file
  // version's high and low double words.
  const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
  const std::size_t at = version.find(std::string(signature, 4));
  ASSERT_NE(at, std::string::npos);
  ASSERT_LE(at + 16, version.size());
  DWORD high = 0, low = 0;
  std::memcpy(&high, version.data() + at + 8, 4);
  std::memcpy(&low, version.data() + at + 12, 4);
  const std::string expected = "version=\"" + std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
                               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low)) + "\"";
  const std::size_t identity = manifest.find("name=\"Morvex.Morvex\"");
  ASSERT_NE(identity, std::string::npos) << manifest;
  EXPECT_NE(manifest.find(expected, identity), std::string::npos) << expected << "\n" << manifest;
  EXPECT_EQ(manifest.find('@'), std::string::npos) << manifest;
}

// How many colours the screen shows where the window lies (what X shows).
std::size_t ColoursOnScreen(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  DeleteDC(memory);
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  std::vector<DWORD> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return std::set<DWORD>(pixels.begin(), pixels.end()).size();
}

// While a run works (TASKKILL takes 3 s), the wait window's label is seen.
TEST(WaitWindow, ItsLabelIsOnTheScreenWhileTheRunWorks) {
  Morvex app(FreshFolder("wait-window"));
  WriteFileBytes(app.PathOf(L"List2.txt"), "mvx_not_running.exe\r\n");
  const StandInMode endsNothing(kEndsNothing), takes(kTakesMs, L"3000");
  ASSERT_TRUE(app.Start() && app.WaitUntilShown());
  app.Click("Command2");
  HWND form2 = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND hwnd : app.TopWindows()) form2 = app.ClassOf(hwnd) == "MorvexForm" && hwnd != app.Form1() ? hwnd : form2;
    return form2 != nullptr;
  }));
  const HWND label = FindControl(form2, IdOf("Form2", "Label1"));
  EXPECT_TRUE(WaitFor([&] { return ColoursOnScreen(label) > 1 || !IsWindowVisible(form2); }, 2000));
  EXPECT_TRUE(IsWindowVisible(form2)) << "read only once the run was over";
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(form2); }));
}

}  // namespace
}  // namespace morvex::e2e
