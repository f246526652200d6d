// The keyboard's way through a window: which controls are Tab stops now, and
// in which order Tab visits them. The order follows the eye, not the
// declaration order of the window's table (which keeps the command IDs, the
// walk of config.ini and which sibling lies on top):
//  - first the Tab stops that lie in the client area, in reading order: by
//    their top edge in the window, then by their left edge (a row of the
//    window from left to right, then the next row);
//  - then, in the same order, those that lie outside the client area: the
//    user does not see them, but they stay reachable.
// A Tab stop is a control of a kind that takes the focus, enabled and
// visible itself and in every container, and seen: not inside a closed
// roll-up panel (a panel's header bar is seen while it is closed), and not
// covered by a sibling declared before it or before one of its containers
// (the sibling declared first lies on top: the open options page covers the
// start page).
#pragma once

#include <vector>

#include "ui/controls.h"

namespace morvex::ui {

// Buttons of both kinds, check boxes, option buttons, list, combo and text
// boxes, and the roll-up panels' headers take the focus.
bool TakesFocus(Kind kind);

// The window's Tab stops, in the order Tab visits them.
std::vector<Control*> TabOrder(const Window& window);

// The Tab stop that Tab (or Shift+Tab, `backwards`) goes to from `from`, the
// order wrapping round at its ends. From nullptr or a control that is no Tab
// stop, the first (or last) one. nullptr when the window has none.
Control* NextTabStop(const Window& window, const Control* from, bool backwards = false);

}  // namespace morvex::ui
