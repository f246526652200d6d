// The controls the program draws itself, in its own style: the xp buttons
// (owner-drawn push buttons) and the roll-up panel with its header bar.
#pragma once

#include <windows.h>

#include <string>

namespace morvex::win32 {

// The blue of the roll-up headers and the xp buttons' frames.
inline constexpr COLORREF kHeaderBlue = RGB(0x2B, 0x57, 0x9A);

// An xp button, for its form's WM_DRAWITEM: a light face with a rounded
// frame, darker while pressed; the caption wrapped and centred both ways in
// the button's own font; the focus mark once the keyboard has been used in
// the form.
void DrawXpButton(const DRAWITEMSTRUCT& item);

// A roll-up panel, for its WM_PAINT: the window's face, the header bar in
// the brush, and the caption in white on it, in the header's font; the focus
// mark inside the bar with `focusMark`.
void PaintRollUp(HWND panel, const std::wstring& caption, HFONT font, HBRUSH header, bool focusMark);

}  // namespace morvex::win32
