// The Win32 backend against real windows: classes, texts, fonts, IDs.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/window_tables.h"
#include "win32/backend.h"

namespace morvex::win32 {
namespace {

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

TEST(Win32Backend, BuildsEveryControlWithItsIdClassAndFont) {
  Win32Backend backend(GetModuleHandleW(nullptr));
  ui::Window window(app::Form1Def(), backend);
  for (const auto& control : window.Controls()) {
    const ui::Kind kind = control->GetKind();
    if (kind == ui::Kind::Timer || kind == ui::Kind::MenuItem || kind == ui::Kind::MediaPlayer) continue;
    HWND hwnd = Win32Backend::HandleOf(*control);
    ASSERT_NE(hwnd, nullptr) << control->Name();
    EXPECT_EQ(GetDlgCtrlID(hwnd), control->Id()) << control->Name();
  }
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

}  // namespace
}  // namespace morvex::win32
