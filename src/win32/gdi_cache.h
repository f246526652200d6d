// The fonts and brushes the windows are drawn with, each made once and kept
// until the backend goes, and the memory DC every text is measured on.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "ui/control_def.h"
#include "win32/handles.h"

namespace morvex::win32 {

class GdiCache {
 public:
  GdiCache();

  // Fonts of MS Sans Serif's metrics, one for each height and weight, each
  // of the height asked for: where the face is a raster one (which has a few
  // sizes of its own, and gives the nearest for any other) and lacks that
  // height, the system's scalable dialog face instead.
  HFONT Font(double points, bool bold, int dpi);
  HFONT FontOfHeight(int pixels, bool bold);
  // The font a caption is shown in: the control's own size, or where the
  // text would be cut with this system's face, the largest smaller one, down
  // to 6 points, at which it lies whole inside the control.
  HFONT CaptionFont(const ui::ControlDef& def, const std::wstring& text, int dpi);
  HBRUSH Brush(COLORREF colour);

 private:
  void ChooseFace();

  std::wstring face_;        // the face asked for, decided on first use
  bool rasterFace_ = false;  // whether the system gives a raster font for it
  std::map<std::pair<int, bool>, UniqueFont> fonts_;
  std::map<COLORREF, UniqueBrush> brushes_;
  MemoryDc measuring_;  // declared last: it goes before the fonts
};

// Gives the window the font, unless it has it already.
void SetFont(HWND hwnd, HFONT font);

}  // namespace morvex::win32
