#include "win32/styles.h"

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

WindowStyle ControlStyle(const ui::ControlDef& def) {
  // Siblings never paint over each other: the one declared first lies on top.
  WindowStyle control{L"STATIC", WS_CHILD | WS_CLIPSIBLINGS | (def.visible ? WS_VISIBLE : 0u) |
                                     (def.enabled ? 0u : WS_DISABLED),
                      0};
  DWORD& style = control.style;
  DWORD& exStyle = control.exStyle;
  const bool centred = def.align == ui::Align::Center;
  switch (def.kind) {
    case Kind::Label:
      style |= SS_NOTIFY | (centred ? SS_CENTER : SS_LEFT);
      break;
    case Kind::Frame:
      // Frames are group boxes that contain their controls.
      control.className = L"BUTTON";
      style |= BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case Kind::Button:
      control.className = L"BUTTON";
      style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
      break;
    case Kind::XpButton:
      // A push button drawn in the program's own style (DrawXpButton); it
      // answers clicks, texts and enabling like any button.
      control.className = L"BUTTON";
      style |= BS_OWNERDRAW | WS_TABSTOP;
      break;
    case Kind::CheckBox:
      control.className = L"BUTTON";
      style |= BS_3STATE | WS_TABSTOP;
      break;
    case Kind::OptionButton:
      control.className = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case Kind::ComboBox:
      control.className = L"COMBOBOX";
      style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
      break;
    case Kind::ListBox:
      control.className = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | (def.multiSelect ? LBS_EXTENDEDSEL : 0);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::TextBox:
      control.className = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP | (centred ? ES_CENTER : ES_LEFT);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::RollUp:
      control.className = kPanelClass;
      style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    default:
      break;
  }
  return control;
}

}  // namespace morvex::win32
