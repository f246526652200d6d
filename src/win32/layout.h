// Positions, sizes and fonts of a form and its controls at a DPI, from the
// twips of the window's table. The positions and sizes are the table's; a
// caption that would be cut with this system's face gets a smaller font.
#pragma once

#include "ui/controls.h"
#include "win32/gdi_cache.h"

namespace morvex::win32 {

// Sizes the form for the DPI (centred in the work area where its table says
// so) and lays out its controls.
void Place(ui::Window& window, int dpi, GdiCache& gdi);

// Lays out every control of the form for the DPI: positions, sizes and
// fonts. Painting follows the DPI a form was last laid out for (DpiOf).
void LayOut(ui::Window& window, int dpi, GdiCache& gdi);

}  // namespace morvex::win32
