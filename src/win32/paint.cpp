#include "win32/paint.h"

#include <algorithm>

#include "win32/captions.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/keyboard.h"
#include "win32/text.h"

namespace morvex::win32 {

using ui::Kind;

void DrawXpButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const int dpi = DpiOf(item.hwndItem);
  const int round = MulDiv(6, dpi, 96);

  {
    const UniqueBrush face(CreateSolidBrush(pressed ? RGB(0xD6, 0xE1, 0xF2) : RGB(0xF7, 0xF9, 0xFD)));
    const UniquePen frame(CreatePen(PS_SOLID, MulDiv(1, dpi, 96), disabled ? GetSysColor(COLOR_GRAYTEXT) : kHeaderBlue));
    const Selection faceSelected(dc, face.get());
    const Selection frameSelected(dc, frame.get());
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, round, round);
  }

  const std::wstring text = WindowText(item.hwndItem);
  {
    const Selection font(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    const CaptionBox box = CaptionBoxOf(Kind::XpButton, ui::Align::Center, rect, dpi);
    RECT area = box.area;
    RECT need = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, box.format | DT_CALCRECT);
    const int height = need.bottom - need.top;
    area.top += std::max(0L, static_cast<LONG>((area.bottom - area.top - height) / 2));
    if (pressed) OffsetRect(&area, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, box.format);
  }

  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT) && FocusMarksShown(item.hwndItem)) {
    RECT focus = rect;
    InflateRect(&focus, -MulDiv(3, dpi, 96), -MulDiv(3, dpi, 96));
    DrawFocusRect(dc, &focus);
  }
}

void PaintRollUp(HWND panel, const std::wstring& caption, HFONT font, HBRUSH header, bool focusMark) {
  const int dpi = DpiOf(panel);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(panel, &ps);
  RECT client;
  GetClientRect(panel, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const RECT bar{0, 0, client.right, ui::TwipsToPixels(kRollUpHeaderTwips, dpi)};
  FillRect(dc, &bar, header);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  {
    const Selection selected(dc, font);
    CaptionBox box = CaptionBoxOf(Kind::RollUp, ui::Align::Left, client, dpi);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box.area, box.format);
  }
  if (focusMark) {
    RECT focus = bar;
    InflateRect(&focus, -MulDiv(2, dpi, 96), -MulDiv(2, dpi, 96));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
    DrawFocusRect(dc, &focus);
  }
  EndPaint(panel, &ps);
}

}  // namespace morvex::win32
