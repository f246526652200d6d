#include "win32/layout.h"

#include "win32/backend.h"
#include "win32/captions.h"
#include "win32/dpi.h"
#include "win32/peers.h"
#include "win32/text.h"
#include "win32/window_record.h"

namespace morvex::win32 {

namespace {

constexpr int kComboDropTwips = 3000;  // room for the drop-down list below the field

}  // namespace

void Place(ui::Window& window, int dpi, GdiCache& gdi) {
  HWND hwnd = Win32Backend::HandleOf(window);
  const ui::WindowDef& def = window.Def();
  RECT rect{0, 0, ui::TwipsToPixels(def.clientWidth, dpi), ui::TwipsToPixels(def.clientHeight, dpi)};
  AdjustRectForDpi(rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                   static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), dpi);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + (work.right - work.left - width) / 2;
  int y = work.top + (work.bottom - work.top - height) / 2;
  if (!def.centred) x = y = 0;
  SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut(window, dpi, gdi);
}

void LayOut(ui::Window& window, int dpi, GdiCache& gdi) {
  HWND form = Win32Backend::HandleOf(window);
  if (WindowRecord* record = RecordOf(form)) record->dpi = dpi;
  const auto px = [dpi](int twips) { return ui::TwipsToPixels(twips, dpi); };
  for (const auto& control : window.Controls()) {
    HWND hwnd = Win32Backend::HandleOf(*control);
    if (!hwnd) continue;
    const ui::ControlDef& def = control->Def();
    int height = def.rect.height;
    if (def.kind == ui::Kind::RollUp && control->peer().Opened() && def.openHeight > 0) height = def.openHeight;
    if (def.kind == ui::Kind::ComboBox) height += kComboDropTwips;
    SetWindowPos(hwnd, nullptr, px(def.rect.left), px(def.rect.top), px(def.rect.width), px(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (HasCaption(def.kind)) {
      static_cast<ControlPeer&>(control->peer()).FitCaption(WindowText(hwnd), dpi);
    } else {
      SetFont(hwnd, gdi.Font(def.fontSize, def.bold, dpi));
    }
    if (def.kind == ui::Kind::ComboBox) {
      SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), px(def.rect.height) - 6);
    }
  }
  InvalidateRect(form, nullptr, TRUE);
}

}  // namespace morvex::win32
