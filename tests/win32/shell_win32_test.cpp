// What the program hands the shell, against the real API: the tray icon's
// size and tip, the notice window of the final minute, a setting change in
// count-down mode, and the replace of a file another program holds open.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "forms/form1.h"
#include "tray/tray.h"
#include "win32/backend.h"
#include "win32/command_interpreter.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/notification_area.h"
#include "win32/private_profile.h"
#include "win32/processes.h"
#include "win32/services.h"
#include "win32/shell_links.h"
#include "win32/window_ops.h"
#include "win32/text.h"

namespace morvex::win32 {
namespace {

std::vector<std::pair<DWORD, NOTIFYICONDATAW>> handed;
BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW data) {
  handed.emplace_back(message, *data);
  return TRUE;
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The icon comes from morvex.exe, built beside this suite.
TEST(Win32Tray, TheShellGetsTheSmallIconAtItsSizeAndTheWholeTipThroughTheWideCall) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe = self;
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"morvex.exe";
  HMODULE program = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) GTEST_SKIP() << "no morvex.exe beside the suite to take the icon from";
  for (const int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    const UniqueIcon icon(Win32Backend::LoadShellIcon(program, 1, dpi));
    handed.clear();
    Win32NotificationArea area(RecordNotify);
    tray::TrayIcon tray(area);
    ASSERT_TRUE(tray.Add(0x1234, reinterpret_cast<std::uintptr_t>(icon.get())));
    ASSERT_EQ(handed.size(), 1u);
    const NOTIFYICONDATAW& data = handed[0].second;
    EXPECT_EQ(handed[0].first, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.hIcon, icon.get());
    EXPECT_EQ(IconWidth(data.hIcon), dpi == 96 ? 16 : 24) << "the size of SM_CXSMICON at that DPI";
    EXPECT_EQ(IconWidth(data.hIcon), MetricForDpi(SM_CXSMICON, dpi));
    EXPECT_STREQ(data.szTip, L"Rechtsklick um das Menu zu \u00F6ffnen");
  }
  FreeLibrary(program);
}

// Writes the pixels of the window's place on the screen as a BMP file.
void SaveShot(HWND hwnd, const char* path) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const WindowDc screen(nullptr);
  const MemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  {
    const Selection selected(memory.get(), dib);
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), rect.left, rect.top, SRCCOPY);
  }
  GdiFlush();
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(h);
  if (FILE* out = std::fopen(path, "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, stride, static_cast<std::size_t>(h), out);
    std::fclose(out);
  }
  DeleteObject(dib);
}

TEST(Win32Notice, ShowsOnTopAtTheWorkAreasCornerWithoutTakingTheFocusUntilClicked) {
  // tools/screenshots.sh asks for its picture, at the prefix's DPI as the
  // program (DPI-aware) shows it.
  const char* shot = std::getenv("MORVEX_NOTICE_SHOT");
  if (shot) DeclareDpiAwareness();
  const UniqueWindow game(CreateWindowExW(0, L"STATIC", L"game", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                          nullptr, GetModuleHandleW(nullptr), nullptr));
  SetForegroundWindow(game.get());
  HWND foreground = GetForegroundWindow();
  Win32NotificationArea area;
  area.ShowNotice(tray::kFinalMinuteTitle, tray::FinalMinuteText(30, {"spiel.exe", "browser.exe"}));
  HWND notice = area.NoticeWindow();
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(IsWindowVisible(notice));
  EXPECT_EQ(GetForegroundWindow(), foreground) << "the game keeps the focus";
  const LONG_PTR ex = GetWindowLongPtrW(notice, GWL_EXSTYLE);
  EXPECT_TRUE((ex & WS_EX_TOPMOST) && (ex & WS_EX_NOACTIVATE));
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(foreground, MONITOR_DEFAULTTOPRIMARY), &info);
  RECT rect;
  GetWindowRect(notice, &rect);
  EXPECT_TRUE(rect.left > info.rcWork.left && rect.right < info.rcWork.right && rect.top > info.rcWork.top &&
              rect.bottom < info.rcWork.bottom);
  EXPECT_GT(rect.left, (info.rcWork.left + info.rcWork.right) / 2) << "on the right";
  EXPECT_GT(rect.top, (info.rcWork.top + info.rcWork.bottom) / 2) << "at the bottom";
  if (shot) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    SaveShot(notice, shot);
  }
  SendMessageW(notice, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(IsWindowVisible(notice)) << "a click sends it away";
  area.CloseNotice();
  EXPECT_FALSE(IsWindow(notice));
}

// The system's clocks, moved by the test: the clock set by hand, time passed.
class MovedClock : public services::Clock {
 public:
  services::Instant Now() override { return real_.Now() + shift; }
  services::LocalTime LocalAt(services::Instant at) override { return real_.LocalAt(at); }
  std::int64_t Elapsed() override { return elapsed; }
  std::int64_t shift = 0, elapsed = 0;

 private:
  Win32Clock real_;
};

// The real window's WM_SETTINGCHANGE (a theme, an environment change): a
// count-down shows nothing new, a time of the day is asked afresh.
TEST(Win32Countdown, ASettingChangeLeavesACountDownAlone) {
  for (const bool clockTime : {false, true}) {
    SCOPED_TRACE(clockTime);
    Win32MessageBoxes messages;
    Win32Shell shell;
    MovedClock clock;
    Win32Files files;
    Win32CodePage codePage;
    Win32Lifetime lifetime;
    Win32NotificationArea notificationArea(RecordNotify);
    Win32PrivateProfile profile;
    Win32ProcessSnapshot snapshot;
    Win32ManagementService management;
    Win32WindowOps windows;
    Win32ShellLinks links;
    Win32CommandInterpreter interpreter;
    Win32Pause pause;
    services::Services bundle{messages, shell,    clock,      files,   codePage, lifetime,    notificationArea,
                              profile,  snapshot, management, windows, links,    interpreter, pause};
    Win32Backend backend(GetModuleHandleW(nullptr));
    app::Program program(backend, bundle);
    forms::Form1& form = program.Form();
    form.Get<ui::OptionButton>(clockTime ? "optSetTime" : "optSetCount").SetValue(true);
    form.Get<ui::ComboBox>("Combo1").SetText(clockTime ? "11" : "00");
    form.Get<ui::ComboBox>("Combo2").SetText(clockTime ? "20" : "05");
    form.Get<ui::Button>("cmdSet").UserClicked();
    const std::string before = form.Get<ui::Label>("lblHaveTime").Caption() + "|" + form.Caption();
    clock.elapsed += 1500;
    clock.shift += 1500 + 30 * 60000;
    SendMessageW(Win32Backend::HandleOf(form), WM_SETTINGCHANGE, 0,
                 reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    const std::string after = form.Get<ui::Label>("lblHaveTime").Caption() + "|" + form.Caption();
    if (clockTime) {
      EXPECT_NE(after, before);
    } else {
      EXPECT_EQ(after, before);
    }
  }
}

// Another program (an antivirus, a cloud folder) holding the file open
// without delete sharing: a refusal of a moment; a read-only file: a lasting
// one. The replaced file keeps its attributes.
TEST(Win32Files, AFileHeldOpenIsRefusedForAMomentAndAReplacedFileKeepsItsAttributes) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"morvex-replace.txt";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
  Win32Files files;
  const std::string narrow = Narrow(path);
  ASSERT_TRUE(files.Replace(narrow, "a\r\n").ok) << "a new file";
  {
    const UniqueHandle held(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const services::FileResult refused = files.Replace(narrow, "b\r\n");
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.momentary) << refused.error;
  }
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
  const DWORD set = GetFileAttributesW(path.c_str());
  EXPECT_TRUE(files.Replace(narrow, "c\r\n").ok);
  EXPECT_EQ(files.Read(narrow).bytes, "c\r\n");
  const DWORD kept = GetFileAttributesW(path.c_str());
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  const services::FileResult readOnly = files.Replace(narrow, "d\r\n");
  EXPECT_FALSE(readOnly.ok || readOnly.momentary) << "meant: told at once";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
  if (!(set & FILE_ATTRIBUTE_HIDDEN)) GTEST_SKIP() << "this Wine keeps no hidden attribute on its files";
  if (!(kept & FILE_ATTRIBUTE_HIDDEN) && GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
    GTEST_SKIP() << "Wine's ReplaceFileW does not carry the replaced file's attributes over (Windows' does)";
  }
  EXPECT_TRUE(kept & FILE_ATTRIBUTE_HIDDEN) << std::hex << kept;
}

}  // namespace
}  // namespace morvex::win32
