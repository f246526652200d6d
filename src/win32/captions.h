// Where each kind of control shows its caption, and how a caption is made to
// fit there. The windows are laid out for MS Sans Serif; the face a system
// gives for it may be wider (another face, a substitute, a text-scaling
// setting), and a caption that would be cut is shown a little smaller instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/control_def.h"

namespace morvex::win32 {

// The height of a roll-up panel's header bar, which shows the panel's caption.
inline constexpr int kRollUpHeaderTwips = 360;

// The part of a control's client area that its caption is drawn in, and the
// DrawText format it is drawn with: word-wrapped or one line, '&' marking a
// mnemonic except in the controls the program draws itself.
struct CaptionBox {
  RECT area;
  UINT format;
};

// Labels, frames, buttons of both kinds, check boxes, option buttons and the
// roll-up headers show a caption; lists, combo and text boxes show data.
bool HasCaption(ui::Kind kind);

// The caption's box for a control of this kind with this client area.
CaptionBox CaptionBoxOf(ui::Kind kind, ui::Align align, const RECT& client, int dpi);

// Whether the text, in the font selected into the DC, lies whole inside the
// box: no line wider than the box, no line below it.
bool CaptionFits(HDC dc, const std::wstring& text, const CaptionBox& box);

// The largest font height in pixels, from `design` down to `smallest`, at
// which `fits` holds; `smallest` when it holds for none. Each call of `fits`
// is one measurement: the design height first, then a halving search.
int FittingHeight(int design, int smallest, const std::function<bool(int)>& fits);

}  // namespace morvex::win32
