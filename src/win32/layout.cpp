#include "win32/layout.h"

#include "ui/startup_trace.h"
#include "win32/backend.h"
#include "win32/captions.h"
#include "win32/dpi.h"
#include "win32/peers.h"
#include "win32/text.h"
#include "win32/window_record.h"

namespace morvex::win32 {

namespace {

constexpr int kComboDropTwips = 3000;  // room for the drop-down list below the field

// Sizes the form for the DPI, centred in the work area where its table says so.
void SizeForm(ui::Window& window, int dpi) {
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
}

}  // namespace

void SetFontFor(const ui::Control& control, HWND hwnd, int dpi, GdiCache& gdi) {
  const ui::ControlDef& def = control.Def();
  if (HasCaption(def.kind)) {
    static_cast<ControlPeer&>(control.peer()).FitCaption(WindowText(hwnd), dpi);
  } else {
    SetFont(hwnd, gdi.Font(def.fontSize, def.bold, dpi));
  }
  if (def.kind == ui::Kind::ComboBox) {
    SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ui::TwipsToPixels(def.rect.height, dpi) - 6);
  }
}

RECT ControlRect(const ui::ControlDef& def, bool opened, int dpi) {
  int height = def.rect.height;
  if (def.kind == ui::Kind::RollUp && opened && def.openHeight > 0) height = def.openHeight;
  if (def.kind == ui::Kind::ComboBox) height += kComboDropTwips;
  const int left = ui::TwipsToPixels(def.rect.left, dpi);
  const int top = ui::TwipsToPixels(def.rect.top, dpi);
  return {left, top, left + ui::TwipsToPixels(def.rect.width, dpi), top + ui::TwipsToPixels(height, dpi)};
}

void Place(ui::Window& window, int dpi, GdiCache& gdi) {
  SizeForm(window, dpi);
  LayOut(window, dpi, gdi);
}

void PlaceBuilt(ui::Window& window, GdiCache& gdi) {
  const int dpi = DpiOf(Win32Backend::HandleOf(window));
  SizeForm(window, dpi);
  MORVEX_STARTUP_STEP("  SizeForm");
  for (const auto& control : window.Controls()) {
    if (HWND hwnd = Win32Backend::HandleOf(*control)) SetFontFor(*control, hwnd, dpi, gdi);
  }
}

void LayOut(ui::Window& window, int dpi, GdiCache& gdi) {
  HWND form = Win32Backend::HandleOf(window);
  if (WindowRecord* record = RecordOf(form)) record->dpi = dpi;
  for (const auto& control : window.Controls()) {
    HWND hwnd = Win32Backend::HandleOf(*control);
    if (!hwnd) continue;
    const RECT rect = ControlRect(control->Def(), control->peer().Opened(), dpi);
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetFontFor(*control, hwnd, dpi, gdi);
  }
  InvalidateRect(form, nullptr, TRUE);
}

}  // namespace morvex::win32
