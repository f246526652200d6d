// Every caption the user can see lies whole inside its control, measured in
// the control's own font with the face this system gives for MS Sans Serif:
// both pages of the main window, the wait window and the autostart dialog, at
// 100 % and 150 %, with the texts the program puts in while it runs; and no
// container leaves its own font in the DC a control draws its caption with.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/version.h"
#include "forms/window_tables.h"
#include "countdown/countdown.h"
#include "win32/backend.h"
#include "win32/captions.h"
#include "win32/dpi.h"
#include "win32/gdi_cache.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace morvex::win32 {
namespace {

// Shown, with every container, and not wholly outside any container or the
// window's client area (a closed panel's content, the rows below the window).
bool Seen(HWND hwnd, HWND form) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  for (HWND h = hwnd; h != form; h = GetParent(h)) {
    if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE)) return false;
    HWND parent = GetParent(h);
    RECT inside;
    GetClientRect(parent, &inside);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    if (!IntersectRect(&rect, &rect, &inside)) return false;
  }
  return true;
}

// The captions that are cut, one "name: text (needed w x h in w x h)" a line.
std::string CutCaptions(const ui::Window& window, int& measured) {
  std::string cut;
  HWND form = Win32Backend::HandleOf(window);
  for (const auto& control : window.Controls()) {
    HWND hwnd = Win32Backend::HandleOf(*control);
    if (!hwnd || !HasCaption(control->GetKind()) || !Seen(hwnd, form)) continue;
    const std::wstring text = Widen(control->Caption());
    RECT client;
    GetClientRect(hwnd, &client);
    const CaptionBox box = CaptionBoxOf(control->GetKind(), control->Def().align, client, DpiOf(hwnd));
    const LONG width = box.area.right - box.area.left;
    const LONG height = box.area.bottom - box.area.top;
    const WindowDc windowDc(hwnd);
    HDC dc = windowDc.get();
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    const Selection selected(dc, font);
    RECT need{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
              (box.format & ~(DT_CENTER | DT_VCENTER)) | DT_CALCRECT);
    // A themed control has its container paint the background into the
    // control's DC before it draws its caption there, in the DC's font.
    SendMessageW(GetParent(hwnd), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const bool ownFont = GetCurrentObject(dc, OBJ_FONT) == font;
    ++measured;
    if (need.right > width || need.bottom > height || !ownFont) {
      cut += control->Name() + ": \"" + control->Caption() + "\" needs " + std::to_string(need.right) + " x " +
             std::to_string(need.bottom) + " in " + std::to_string(width) + " x " + std::to_string(height) +
             (ownFont ? "\n" : ", its container leaves its own font in the control's DC\n");
    }
  }
  return cut;
}

struct Case {
  const ui::WindowDef& (*def)();
  bool optionsPage;
  int dpi;
};

TEST(Captions, EveryVisibleCaptionFitsItsControl) {
  const Case cases[] = {
      {forms::Form1Def, false, 96},  {forms::Form1Def, true, 96},  {forms::Form2Def, false, 96},
      {forms::DeskRDef, false, 96},  {forms::Form1Def, false, 144}, {forms::Form1Def, true, 144},
      {forms::Form2Def, false, 144}, {forms::DeskRDef, false, 144},
  };
  Win32Backend backend(GetModuleHandleW(nullptr));
  for (const Case& c : cases) {
    ui::Window window(c.def(), backend);
    // The texts the program sets after the layout, at start and while a
    // countdown runs: at 100 % after the last layout, at 150 % before the
    // change of DPI; the fitting follows both.
    const auto runTimeTexts = [&window] {
      if (window.Def().name != "Form1") return;
      window.Find("lblVersion").SetCaption("Version " MORVEX_VERSION_STR);
      window.Find("Frame7").SetVisible(true);
      window.Find("Frame7").SetCaption(countdown::kRunningFrameCaption);
      for (const char* name : {"Label11", "lblHaveTime", "lblCurrentTimeShow"}) window.Find(name).SetCaption("23:59:59");
    };
    if (c.dpi == 96) {
      backend.Place(window, c.dpi);
      runTimeTexts();
    } else {
      runTimeTexts();
      backend.Place(window, c.dpi);
    }
    if (c.optionsPage) static_cast<ui::RollUp&>(window.Find("xpRollUpContainer1")).SetOpened(true);
    int measured = 0;
    EXPECT_EQ(CutCaptions(window, measured), "")
        << window.Def().name << (c.optionsPage ? " options page" : "") << " at " << c.dpi << " DPI";
    EXPECT_GT(measured, 0);
  }
}

// The fitting's premise: a font is of the height asked for, so a smaller
// height is a smaller font. A raster face (Wine's MS Sans Serif) has only its
// own sizes and gives the nearest of them for any other height; where it
// lacks one, a scalable face stands in (to a pixel: a scalable face rounds).
TEST(Captions, EveryFontIsOfTheHeightAskedFor) {
  GdiCache gdi;
  const MemoryDc dc(CreateCompatibleDC(nullptr));
  for (const bool bold : {false, true}) {
    for (int pixels = 8; pixels <= 27; ++pixels) {  // 6 points at 100 % to 13.5 points at 150 %
      const Selection selected(dc.get(), gdi.FontOfHeight(pixels, bold));
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc.get(), &metrics);
      EXPECT_NEAR(metrics.tmHeight - metrics.tmInternalLeading, pixels, 1) << pixels << (bold ? " px bold" : " px");
    }
  }
}

}  // namespace
}  // namespace morvex::win32
