// The design of the program's windows: every window's controls and menu items
// as rows, in the window's declaration order (the order gives the command IDs
// and the order in which the settings code walks the controls). Form1's table
// is in form1_table.cpp, the others' in window_tables.cpp.
#pragma once

#include "ui/control_def.h"

namespace morvex::forms {

// The main window: top band, start page, options page, the controls below the
// visible client area, and the two hidden menus.
const ui::WindowDef& Form1Def();
// The wait window shown while the kill list is being ended.
const ui::WindowDef& Form2Def();
// The autostart dialog; never shown, only its option group is read.
const ui::WindowDef& DeskRDef();
// The invisible owner of the tray's popup menu.
const ui::WindowDef& FrmDummyDef();

}  // namespace morvex::forms
