#include "win32/styles.h"

#include <oleacc.h>

#include "ui/tab_order.h"

namespace morvex::win32 {

using ui::Kind;

WindowStyle FormStyle(ui::Border border) {
  WindowStyle form{kFormClass, WS_OVERLAPPEDWINDOW, WS_EX_CONTROLPARENT};
  switch (border) {
    case ui::Border::FixedSingle:
      form.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
      break;
    case ui::Border::Sizable:
      form.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
      break;
    case ui::Border::FixedDialog:
      form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
      form.exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case ui::Border::None:
      form.style = WS_POPUP;
      break;
  }
  return form;
}

namespace {

// Each kind's class, the styles it always has, and what a screen reader
// announces it as.
struct KindStyle {
  Kind kind;
  WindowStyle window;
  LONG role;
};

constexpr KindStyle kKindStyles[] = {
    {Kind::Label, {L"STATIC", SS_NOTIFY, 0}, ROLE_SYSTEM_STATICTEXT},
    // Frames are group boxes that contain their controls.
    {Kind::Frame, {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}, ROLE_SYSTEM_GROUPING},
    {Kind::Button, {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE, 0}, ROLE_SYSTEM_PUSHBUTTON},
    // A push button drawn in the program's own style (DrawXpButton); it
    // answers clicks, texts and enabling like any button.
    {Kind::XpButton, {L"BUTTON", BS_OWNERDRAW, 0}, ROLE_SYSTEM_PUSHBUTTON},
    {Kind::CheckBox, {L"BUTTON", BS_3STATE, 0}, ROLE_SYSTEM_CHECKBUTTON},
    {Kind::OptionButton, {L"BUTTON", BS_RADIOBUTTON, 0}, ROLE_SYSTEM_RADIOBUTTON},
    {Kind::ComboBox, {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0}, ROLE_SYSTEM_COMBOBOX},
    {Kind::ListBox, {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE}, ROLE_SYSTEM_LIST},
    {Kind::TextBox, {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE}, ROLE_SYSTEM_TEXT},
    // Its header bar toggles the panel, as a push button would.
    {Kind::RollUp, {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}, ROLE_SYSTEM_PUSHBUTTON},
};

const KindStyle* EntryOf(Kind kind) {
  for (const KindStyle& entry : kKindStyles) {
    if (entry.kind == kind) return &entry;
  }
  return nullptr;
}

}  // namespace

WindowStyle ControlStyle(const ui::ControlDef& def) {
  const KindStyle* entry = EntryOf(def.kind);
  WindowStyle control = entry ? entry->window : WindowStyle{L"STATIC", 0, 0};
  if (ui::TakesFocus(def.kind)) control.style |= WS_TABSTOP;
  // Siblings never paint over each other: the one declared first lies on top.
  control.style |= WS_CHILD | WS_CLIPSIBLINGS | (def.visible ? WS_VISIBLE : 0u) | (def.enabled ? 0u : WS_DISABLED);
  const bool centred = def.align == ui::Align::Center;
  if (def.kind == Kind::Label) control.style |= centred ? SS_CENTER : SS_LEFT;
  if (def.kind == Kind::TextBox) control.style |= centred ? ES_CENTER : ES_LEFT;
  if (def.kind == Kind::ListBox && def.multiSelect) control.style |= LBS_EXTENDEDSEL;
  return control;
}

LONG AccessibleRole(ui::Kind kind) {
  const KindStyle* entry = EntryOf(kind);
  return entry ? entry->role : ROLE_SYSTEM_CLIENT;
}

}  // namespace morvex::win32
