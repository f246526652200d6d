#include "win32/peers.h"

#include <mmsystem.h>

#include "win32/backend.h"
#include "win32/captions.h"
#include "win32/dpi.h"
#include "win32/keyboard.h"
#include "win32/layout.h"
#include "win32/lazy_imports.h"
#include "win32/text.h"

namespace morvex::win32 {

using ui::Kind;

// --- controls ----------------------------------------------------------------

ControlPeer::ControlPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi) : hwnd_(hwnd), def_(def), gdi_(gdi) {}

void ControlPeer::SetText(const std::string& text) {
  const std::wstring wide = Widen(text);
  FitCaption(wide, DpiOf(Handle()));  // the new text is drawn once, in its font
  SetWindowTextW(Handle(), wide.c_str());
}

std::string ControlPeer::Text() const { return Narrow(WindowText(Handle())); }
void ControlPeer::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }
bool ControlPeer::Enabled() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_DISABLED) == 0; }
void ControlPeer::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
bool ControlPeer::Visible() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
// A combo box's focus is in its edit field.
bool ControlPeer::HasFocus() const {
  HWND focus = GetFocus();
  return focus && (focus == Handle() || IsChild(Handle(), focus));
}
void ControlPeer::SetFocus() { ::SetFocus(Handle()); }

void ControlPeer::FitCaption(const std::wstring& text, int dpi) {
  if (!HasCaption(def_.kind) || (text == fittedText_ && dpi == fittedDpi_)) return;
  fittedText_ = text;
  fittedDpi_ = dpi;
  SetFont(Handle(), gdi_.CaptionFont(def_, text, dpi));
}

std::unique_ptr<ControlPeer> MakeControlPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi) {
  switch (def.kind) {
    case Kind::CheckBox:
    case Kind::OptionButton:
      return std::make_unique<CheckButtonPeer>(hwnd, def, gdi);
    case Kind::TextBox:
      return std::make_unique<EditPeer>(hwnd, def, gdi);
    case Kind::ListBox:
      return std::make_unique<ListBoxPeer>(hwnd, def, gdi);
    case Kind::ComboBox:
      return std::make_unique<ComboBoxPeer>(hwnd, def, gdi);
    default:
      return std::make_unique<ControlPeer>(hwnd, def, gdi);
  }
}

// --- check boxes and option buttons ----------------------------------------------

void CheckButtonPeer::SetCheck(int value) {
  Send(BM_SETCHECK, value == 2 ? BST_INDETERMINATE : value ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CheckButtonPeer::Check() const {
  const LRESULT state = Send(BM_GETCHECK, 0, 0);
  return state == BST_INDETERMINATE ? 2 : state == BST_CHECKED ? 1 : 0;
}

// --- text boxes ------------------------------------------------------------------

void EditPeer::SetLocked(bool locked) { Send(EM_SETREADONLY, locked, 0); }
bool EditPeer::Locked() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_READONLY) != 0; }

// --- list boxes and combo boxes ----------------------------------------------------

namespace {

constexpr ItemMessages kListBoxMessages{LB_GETCOUNT,     LB_GETTEXTLEN,   LB_GETTEXT,   LB_ADDSTRING,
                                        LB_DELETESTRING, LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL};
constexpr ItemMessages kComboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ADDSTRING,
                                         CB_DELETESTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL};

}  // namespace

int ItemsPeer::SendInt(UINT message, WPARAM wp, LPARAM lp) const {
  return static_cast<int>(static_cast<LONG>(Send(message, wp, lp)));
}

int ItemsPeer::Count() const { return SendInt(messages_.count, 0, 0); }

std::string ItemsPeer::Item(int position) const {
  const int n = SendInt(messages_.textLength, static_cast<WPARAM>(position), 0);
  if (n < 0) return {};
  std::wstring buffer(static_cast<std::size_t>(n) + 1, L'\0');
  SendInt(messages_.text, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(n));
  return Narrow(buffer);
}

void ItemsPeer::AddItem(const std::string& text) {
  const std::wstring wide = Widen(text);
  SendInt(messages_.add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ItemsPeer::RemoveItem(int position) { SendInt(messages_.remove, static_cast<WPARAM>(position), 0); }
void ItemsPeer::ClearItems() { SendInt(messages_.reset, 0, 0); }
int ItemsPeer::CurSel() const { return SendInt(messages_.curSel, 0, 0); }
void ItemsPeer::SetCurSel(int position) { SendInt(messages_.setCurSel, static_cast<WPARAM>(position), 0); }

ListBoxPeer::ListBoxPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi)
    : ItemsPeer(hwnd, def, gdi, kListBoxMessages) {}

bool ListBoxPeer::Selected(int position) const { return Send(LB_GETSEL, static_cast<WPARAM>(position), 0) > 0; }

void ListBoxPeer::SetSelected(int position, bool selected) {
  Send(LB_SETSEL, selected, static_cast<LPARAM>(position));
}

int ListBoxPeer::Caret() const { return static_cast<int>(Send(LB_GETCARETINDEX, 0, 0)); }

int ListBoxPeer::FindExact(const std::string& text) const {
  if (!IsWindow(Handle())) return -2;
  // The list box compares the whole text without regard to letter case, as
  // the list holds it (wide: no code page stands between, no look-alike).
  const std::wstring wide = Widen(text);
  return static_cast<int>(static_cast<LONG>(SendMessageW(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                         reinterpret_cast<LPARAM>(wide.c_str()))));
}

void ListBoxPeer::SetRedraw(bool redraw) {
  Send(WM_SETREDRAW, redraw, 0);
  if (redraw) InvalidateRect(Handle(), nullptr, TRUE);
}

ComboBoxPeer::ComboBoxPeer(HWND hwnd, const ui::ControlDef& def, GdiCache& gdi)
    : ItemsPeer(hwnd, def, gdi, kComboBoxMessages) {}

// --- the roll-up panel ---------------------------------------------------------

RollUpPeer::RollUpPeer(HWND hwnd, ui::Control& control, ui::Window& window, Win32Backend& backend)
    : ControlPeer(hwnd, control.Def(), backend.Gdi()),
      record_{backend, window, &control},
      opened_(control.Def().value) {
  Attach(hwnd, &record_);
}

// The record goes before the window: the panel's last messages find none.
RollUpPeer::~RollUpPeer() {
  if (IsWindow(Handle())) Attach(Handle(), nullptr);
}

void RollUpPeer::SetOpened(bool opened) {
  if (opened) record_.backend.MakePanelContents(record_.window, *record_.control);
  opened_ = opened;
  LayOut(record_.window, DpiOf(Handle()), record_.backend.Gdi());
  InvalidateRect(Handle(), nullptr, TRUE);
  KeepFocusOnTabStop(record_.window, *record_.control);
}

// --- menus ---------------------------------------------------------------------

MenuPeer::MenuPeer(HMENU parent, UINT id, const ui::ControlDef& def)
    : parent_(parent), id_(id), text_(def.caption), visible_(def.visible), enabled_(def.enabled) {
  if (!parent_) {
    popup_.reset(CreatePopupMenu());
  } else {
    const std::wstring wide = Widen(text_);
    AppendMenuW(parent_, def.separator ? MF_SEPARATOR : (MF_STRING | (enabled_ ? 0 : MF_GRAYED)), id_,
                def.separator ? nullptr : wide.c_str());
  }
}

void MenuPeer::SetText(const std::string& text) {
  text_ = text;
  if (parent_) {
    const std::wstring wide = Widen(text);
    ModifyMenuW(parent_, id_, MF_BYCOMMAND | MF_STRING | (enabled_ ? 0 : MF_GRAYED), id_, wide.c_str());
  }
}

void MenuPeer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (parent_) EnableMenuItem(parent_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MenuPeer::Enabled() const {
  if (!parent_) return enabled_;
  return (GetMenuState(parent_, id_, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

// --- timers and sound ------------------------------------------------------------

TimerPeer::~TimerPeer() { KillTimer(form_, id_); }

void TimerPeer::SetTimer(bool enabled, int intervalMs) {
  if (enabled && intervalMs > 0) {
    ::SetTimer(form_, id_, static_cast<UINT>(intervalMs), nullptr);
  } else {
    KillTimer(form_, id_);
  }
}

void MediaPeer::Play(const std::string& path) {
  if (const PlaySoundFn play = PlaySoundFunction()) {
    play(Widen(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  }
}

}  // namespace morvex::win32
