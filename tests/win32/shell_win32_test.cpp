// The tray icon's size and tip as the shell gets them; a setting change.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/program.h"
#include "forms/form1.h"
#include "tray/tray.h"
#include "win32/account.h"
#include "win32/backend.h"
#include "win32/notification_area.h"
#include "win32/private_profile.h"
#include "win32/processes.h"
#include "win32/services.h"
#include "win32/shell_links.h"
#include "win32/system_commands.h"
#include "win32/window_ops.h"

namespace morvex::win32 {
namespace {

std::vector<NOTIFYICONDATAW> handed;
BOOL WINAPI RecordNotify(DWORD, PNOTIFYICONDATAW data) {
  handed.push_back(*data);
  return TRUE;
}

TEST(Win32Tray, TheShellGetsTheSmallIconAtItsSizeAndTheWholeTipThroughTheWideCall) {
  std::wstring exe(MAX_PATH, L'\0');
  exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"morvex.exe";
  HMODULE program = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) GTEST_SKIP() << "no morvex.exe beside the suite to take the icon from";
  for (const int dpi : {96, 144}) {
    handed.clear();
    Win32NotificationArea area(RecordNotify);
    tray::TrayIcon tray(area);
    const UniqueIcon icon(Win32Backend::LoadShellIcon(program, 1, dpi));
    ASSERT_TRUE(tray.Add(0x1234, reinterpret_cast<std::uintptr_t>(icon.get())));
    ASSERT_EQ(handed.size(), 1u);
    ICONINFO info{};
    BITMAP bitmap{};
    ASSERT_TRUE(GetIconInfo(handed[0].hIcon, &info));
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor), DeleteObject(info.hbmMask);
    EXPECT_EQ(bitmap.bmWidth, dpi == 96 ? 16 : 24) << "SM_CXSMICON at " << dpi << " DPI";
    EXPECT_EQ(handed[0].cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_STREQ(handed[0].szTip, L"Rechtsklick um das Menu zu \u00F6ffnen");
  }
  FreeLibrary(program);
}

// The system's clocks, moved by the test: time passed, the clock set.
class MovedClock : public Win32Clock {
 public:
  services::Instant Now() override { return Win32Clock::Now() + shift; }
  std::int64_t Elapsed() override { return elapsed; }
  std::int64_t shift = 0, elapsed = 0;
};

// Form1's WM_SETTINGCHANGE (a theme, an environment change, the clock) leaves
// a count-down's displays as they were; a time of the day is asked afresh.
TEST(Win32Countdown, ASettingChangeLeavesACountDownAlone) {
  for (const bool clockTime : {false, true}) {
    // The system's services (the tray's calls recorded, the clocks moved).
    Win32MessageBoxes messages; Win32Shell shell; MovedClock clock; Win32Files files; Win32CodePage codePage;
    Win32Lifetime lifetime; Win32NotificationArea tray(RecordNotify); Win32PrivateProfile profile;
    Win32ProcessSnapshot snapshot; Win32ManagementService management; Win32WindowOps windows;
    Win32ShellLinks links; Win32SystemCommands commands; Win32Pause pause; Win32Account account;
    services::Services bundle{messages, shell,    clock,      files,   codePage, lifetime,    tray,
                              profile,  snapshot, management, windows, links,    commands,    pause, account};
    Win32Backend backend(GetModuleHandleW(nullptr));
    app::Program program(backend, bundle);
    forms::Form1& form = program.Form();
    form.Get<ui::OptionButton>(clockTime ? "optSetTime" : "optSetCount").SetValue(true);
    form.Get<ui::ComboBox>("Combo1").SetText(clockTime ? "11" : "00");
    form.Get<ui::Button>("cmdSet").UserClicked();
    const std::string before = form.Get<ui::Label>("lblHaveTime").Caption() + form.Caption();
    clock.elapsed += 1500;
    clock.shift += 1500 + 30 * 60000;
    SendMessageW(Win32Backend::HandleOf(form), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
    EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption() + form.Caption() == before, !clockTime) << clockTime;
  }
}

}  // namespace
}  // namespace morvex::win32
