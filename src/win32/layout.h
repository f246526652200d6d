// Positions, sizes and fonts of a form and its controls at a DPI, from the
// twips of the window's table. The positions and sizes are the table's; a
// caption that would be cut with this system's face gets a smaller font.
#pragma once

#include <windows.h>

#include "ui/controls.h"
#include "win32/gdi_cache.h"

namespace morvex::win32 {

// A control's place in its container, in pixels at the DPI: the table's
// rectangle; an open roll-up panel has its open height, and a combo box's
// window reaches below its field by the room of its drop-down list.
RECT ControlRect(const ui::ControlDef& def, bool opened, int dpi);

// Sizes the form for the DPI (centred in the work area where its table says
// so) and lays out its controls.
void Place(ui::Window& window, int dpi, GdiCache& gdi);

// Sizes a form just built for the DPI it was created at (DpiOf), at which its
// controls were made at their places (ControlRect), and gives them their
// fonts.
void PlaceBuilt(ui::Window& window, GdiCache& gdi);

// The control's font at the DPI: its caption fitted, or the table's size; a
// combo box's field gets its height.
void SetFontFor(const ui::Control& control, HWND hwnd, int dpi, GdiCache& gdi);

// Lays out every control of the form for the DPI: positions, sizes and
// fonts. Painting follows the DPI a form was last laid out for (DpiOf).
void LayOut(ui::Window& window, int dpi, GdiCache& gdi);

}  // namespace morvex::win32
