// The Win32 backend against real windows: classes, texts, fonts, IDs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <utility>

#include "forms/window_tables.h"
#include "win32/backend.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/layout.h"
#include "win32/lazy_imports.h"
#include "win32/text.h"
#include "win32/window_record.h"

namespace morvex::win32 {
namespace {

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

// The options page is closed at first: its controls are made when it first
// opens; those below the client area are made from the message the window
// posts itself once built. Each comes with what the program set meanwhile,
// in its container and at its place in the z-order.
TEST(Win32Backend, BuildsEveryControlWithItsIdClassAndFont) {
  Win32Backend backend(GetModuleHandleW(nullptr));
  ui::Window window(forms::Form1Def(), backend);
  const auto onOptionsPage = [&window](const ui::Control& control) {
    for (std::string parent = control.Def().parent; !parent.empty(); parent = window.Find(parent).Def().parent) {
      if (parent == "xpRollUpContainer1") return true;
    }
    return false;
  };
  auto& combo = window.Get<ui::ComboBox>("Combo1");
  combo.AddItem("07");
  combo.AddItem("08");
  combo.SetListIndex(1);
  window.Get<ui::CheckBox>("Check2").SetValue(1);
  window.Get<ui::OptionButton>("optSetTime").SetValue(true);
  window.Find("cmdSet").SetEnabled(false);
  window.Find("lblHaveTime").SetCaption("01:02:03");
  window.Get<ui::ComboBox>("Combo3").SetText("07");
  window.Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(true);
  window.Find("cmdTerminate").SetEnabled(false);

  int below = 0;
  for (const int stage : {0, 1, 2}) {  // built; the posted message taken; the options page opened
    if (stage == 1) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    if (stage == 2) window.Get<ui::RollUp>("xpRollUpContainer1").SetOpened(true);
    for (const auto& control : window.Controls()) {
      const ui::Kind kind = control->GetKind();
      if (kind == ui::Kind::Timer || kind == ui::Kind::MenuItem || kind == ui::Kind::MediaPlayer) continue;
      HWND hwnd = Win32Backend::HandleOf(*control);
      const bool later = ui::LiesBelowClientArea(window.Def(), control->Def());
      if (stage == 0 && later) ++below;
      if ((stage < 2 && onOptionsPage(*control)) || (stage == 0 && later)) {
        EXPECT_EQ(hwnd, nullptr) << control->Name();
        continue;
      }
      ASSERT_NE(hwnd, nullptr) << control->Name();
      EXPECT_EQ(GetDlgCtrlID(hwnd), control->Id()) << control->Name();
      const std::string& parent = control->Def().parent;
      HWND container = parent.empty() ? Win32Backend::HandleOf(window) : Win32Backend::HandleOf(window.Find(parent));
      EXPECT_EQ(GetParent(hwnd), container);
      // The next window of its container is the next sibling of the table
      // that has one.
      HWND next = nullptr;
      const auto& controls = window.Controls();
      for (auto it = controls.begin() + control->Position() + 1; it != controls.end() && !next; ++it) {
        if ((*it)->Def().parent == parent) next = Win32Backend::HandleOf(**it);
      }
      if (stage > 0 && next) {
        EXPECT_EQ(GetWindow(hwnd, GW_HWNDNEXT), next) << control->Name();
      }
    }
  }
  EXPECT_GE(below, 15) << "the title-based ending, the tray's buttons, Combo3, List3, Text1, ...";
  const auto handle = [&window](const char* name) { return Win32Backend::HandleOf(window.Find(name)); };
  EXPECT_EQ(SendMessageW(handle("Combo1"), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(handle("Combo1"), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(WindowText(handle("Combo1")), L"08");
  EXPECT_EQ(GetWindow(handle("Combo1"), GW_HWNDNEXT), handle("Combo2")) << "tab order of the table";
  EXPECT_EQ(SendMessageW(handle("Check2"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(handle("optSetTime"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(handle("optSetCount"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(handle("cmdSet")));
  EXPECT_TRUE(IsWindowEnabled(handle("cmdStop")));
  EXPECT_EQ(WindowText(handle("lblHaveTime")), L"01:02:03");
  EXPECT_EQ(WindowText(handle("Combo3")), L"07");
  EXPECT_EQ(SendMessageW(Win32Backend::HandleOf(window.Find("optOnLeftClick", 0)), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(handle("cmdTerminate")));

  const LOGFONTW big = FontOf(Win32Backend::HandleOf(window.Find("xpButton2")));
  const LOGFONTW plain = FontOf(Win32Backend::HandleOf(window.Find("Command1")));
  EXPECT_EQ(big.lfWeight, FW_BOLD);
  EXPECT_EQ(plain.lfWeight, FW_NORMAL);
  EXPECT_LT(big.lfHeight, plain.lfHeight) << "12 point against 8.25 point";

  // Hiding a frame hides what it holds; the control keeps its own flag.
  auto& frame7 = window.Find("Frame7");
  auto& label11 = window.Find("Label11");
  EXPECT_FALSE(frame7.Visible());
  EXPECT_TRUE(label11.Visible());
  EXPECT_FALSE(IsWindowVisible(Win32Backend::HandleOf(label11)));
}

int HeightOf(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  return rect.bottom - rect.top;
}

// A click on a roll-up panel's header reaches its control through the panel's
// record and toggles the panel; a click below the header does nothing. A
// window that is not one of ours is never taken for one, whatever its user
// data holds.
// The tools of the tooltip windows that the form owns.
BOOL CALLBACK CountTips(HWND hwnd, LPARAM data) {
  auto& [owner, count] = *reinterpret_cast<std::pair<HWND, LRESULT>*>(data);
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(hwnd, GW_OWNER) == owner) {
    count += SendMessageW(hwnd, TTM_GETTOOLCOUNT, 0, 0);
  }
  return TRUE;
}

LRESULT TipsOf(HWND form) {
  std::pair<HWND, LRESULT> found{form, 0};
  EnumThreadWindows(GetCurrentThreadId(), CountTips, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

// A form's tips are added when it is first shown (those of the controls
// below the client area when their windows are made just after): each one
// its table names, once, and none before.
TEST(Win32Backend, AFormGetsTheTipsOfItsTableWhenFirstShown) {
  Win32Backend backend(GetModuleHandleW(nullptr));
  ui::Window window(forms::Form1Def(), backend);
  HWND form = Win32Backend::HandleOf(window);
  LRESULT inTable = 0;
  for (const auto& control : window.Controls()) inTable += control->Def().tooltip.empty() ? 0 : 1;
  ASSERT_GT(inTable, 0);
  EXPECT_EQ(TipsOf(form), 0);
  window.Show();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  window.Show();
  EXPECT_EQ(TipsOf(form), inTable);
}

TEST(Win32Backend, OurWindowsAndOnlyTheyLeadBackToTheirControls) {
  Win32Backend backend(GetModuleHandleW(nullptr));
  ui::Window window(forms::Form1Def(), backend);
  auto& options = window.Get<ui::RollUp>("xpRollUpContainer1");
  HWND panel = Win32Backend::HandleOf(options);
  const int closed = HeightOf(panel);
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  EXPECT_TRUE(options.Opened());
  EXPECT_GT(HeightOf(panel), closed * 5);
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, closed * 2));
  EXPECT_TRUE(options.Opened());
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  EXPECT_FALSE(options.Opened());
  EXPECT_EQ(HeightOf(panel), closed);

  const UniqueWindow stranger(
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  WindowRecord lookalike{backend, window, nullptr, 300};
  SetWindowLongPtrW(stranger.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&lookalike));
  EXPECT_EQ(RecordOf(stranger.get()), nullptr);
  EXPECT_EQ(DpiOf(stranger.get()), SystemDpiOf(stranger.get()));
}

// A move to a monitor of another DPI lays the controls out at the DPI the
// message carries, whatever the system's DPI for the window says (on Windows
// 8.1 and the first Windows 10 there is none: it would be the start's).
TEST(Win32Backend, AChangeOfDpiLaysTheControlsOutAtTheMessagesDpi) {
  Win32Backend backend(GetModuleHandleW(nullptr));
  ui::Window window(forms::Form1Def(), backend);
  HWND form = Win32Backend::HandleOf(window);
  const int dpi = SystemDpiOf(form) == 144 ? 192 : 144;
  RECT suggested{0, 0, ui::TwipsToPixels(window.Def().clientWidth, dpi),
                 ui::TwipsToPixels(window.Def().clientHeight, dpi)};
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(DpiOf(form), dpi);
  const ui::Control& command = window.Find("cmdExit");
  RECT rect;
  HWND button = Win32Backend::HandleOf(command);
  GetWindowRect(button, &rect);
  MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&rect), 2);
  const RECT expected = ControlRect(command.Def(), false, dpi);
  EXPECT_EQ(rect.left, expected.left);
  EXPECT_EQ(rect.top, expected.top);
  EXPECT_EQ(rect.right - rect.left, expected.right - expected.left);
  EXPECT_EQ(rect.bottom - rect.top, expected.bottom - expected.top);
}

// The late DLLs come from the system folder. A search by the bare name looks
// beside the program first: this test program's own file is found there, but
// never by LoadSystemLibrary.
TEST(LateLibraries, ComeFromTheSystemFolderNeverFromBesideTheProgram) {
  wchar_t own[MAX_PATH], system[MAX_PATH], loaded[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, own, MAX_PATH), 0u);
  const std::wstring ownName = std::wstring(own).substr(std::wstring(own).find_last_of(L"\\/") + 1);
  ASSERT_NE(LoadLibraryW(ownName.c_str()), nullptr);
  EXPECT_EQ(LoadSystemLibrary(ownName.c_str()), nullptr);

  const UINT n = GetSystemDirectoryW(system, MAX_PATH);
  HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
  ASSERT_NE(shcore, nullptr);
  ASSERT_GT(GetModuleFileNameW(shcore, loaded, MAX_PATH), n);
  EXPECT_EQ(CompareStringOrdinal(loaded, static_cast<int>(n), system, static_cast<int>(n), TRUE), CSTR_EQUAL) << loaded;
}

// The program's first call: a DLL beside the program (here a copy of this
// test program under a DLL's name) is found by its bare name until then,
// never after; the system's DLLs still are. (Under Wine a load as a data
// file does not follow the search set.) The suite's later tests get the
// default search back, the program's folder first.
TEST(DllSearch, AfterTheFirstCallNoDllBesideTheProgramIsFound) {
  wchar_t own[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, own, MAX_PATH), 0u);
  const std::wstring beside = FolderOf(own) + L"\\mvx_beside_probe.dll";
  ASSERT_TRUE(CopyFileW(own, beside.c_str(), FALSE));
  const auto found = [] {
    HMODULE module = LoadLibraryW(L"mvx_beside_probe.dll");
    if (module) FreeLibrary(module);
    return module != nullptr;
  };
  EXPECT_TRUE(found());
  EXPECT_TRUE(SearchDllsInSystemFolderOnly());
  EXPECT_FALSE(found());
  HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr);
  if (system) FreeLibrary(system);
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  DeleteFileW(beside.c_str());
}

}  // namespace
}  // namespace morvex::win32
