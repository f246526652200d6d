#include "win32/backend.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "win32/captions.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

using ui::Kind;

constexpr wchar_t kFormClass[] = L"MorvexForm";
constexpr wchar_t kPanelClass[] = L"MorvexRollUp";
constexpr wchar_t kOwnerClass[] = L"MorvexOwner";
constexpr int kHeaderTwips = kRollUpHeaderTwips;
constexpr wchar_t kDpiProp[] = L"MorvexDpi";    // the DPI a form was last laid out for
constexpr wchar_t kFontProp[] = L"MorvexFont";  // a roll-up panel's font
constexpr int kComboDropTwips = 3000;  // room for the drop-down list below the field

std::wstring WideWindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring buffer(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, buffer.data(), n + 1);
  buffer.resize(wcslen(buffer.c_str()));
  return buffer;
}

std::string WindowText(HWND hwnd) { return Narrow(WideWindowText(hwnd)); }

// Font sizes in points become heights in pixels at the DPI.
int FontPixels(double points, int dpi) { return MulDiv(static_cast<int>(std::lround(points * 100)), dpi, 7200); }

// No caption is made smaller than this to fit.
constexpr double kSmallestPoints = 6.0;

void SetFont(HWND hwnd, HFONT font) {
  if (reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)) != font) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

ui::Window* WindowOf(HWND hwnd) {
  return reinterpret_cast<ui::Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// --- peers of controls -----------------------------------------------------

class ControlPeer : public ui::Peer {
 public:
  ControlPeer(HWND hwnd, const ui::ControlDef& def, Win32Backend& backend)
      : hwnd_(hwnd), kind_(def.kind), multi_(def.multiSelect), def_(def), backend_(backend) {}
  ~ControlPeer() override {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  HWND Handle() const { return hwnd_; }

  void SetText(const std::string& text) override {
    const std::wstring wide = Widen(text);
    FitCaption(wide, Win32Backend::DpiOf(hwnd_));  // the new text is drawn once, in its font
    SetWindowTextW(hwnd_, wide.c_str());
  }
  std::string Text() const override { return WindowText(hwnd_); }
  void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled); }
  bool Enabled() const override { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_DISABLED) == 0; }
  void SetVisible(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
  bool Visible() const override { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

  void SetCheck(int value) override {
    SendMessageW(hwnd_, BM_SETCHECK, value == 2 ? BST_INDETERMINATE : value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  int Check() const override {
    const LRESULT state = SendMessageW(hwnd_, BM_GETCHECK, 0, 0);
    return state == BST_INDETERMINATE ? 2 : state == BST_CHECKED ? 1 : 0;
  }
  void SetLocked(bool locked) override { SendMessageW(hwnd_, EM_SETREADONLY, locked, 0); }
  bool Locked() const override { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_READONLY) != 0; }

  int Count() const override { return Send(LB_GETCOUNT, CB_GETCOUNT, 0, 0); }
  std::string Item(int position) const override {
    const int n = Send(LB_GETTEXTLEN, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
    if (n < 0) return {};
    std::wstring buffer(static_cast<std::size_t>(n) + 1, L'\0');
    Send(LB_GETTEXT, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(n));
    return Narrow(buffer);
  }
  void AddItem(const std::string& text) override {
    const std::wstring wide = Widen(text);
    Send(LB_ADDSTRING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  void RemoveItem(int position) override { Send(LB_DELETESTRING, CB_DELETESTRING, static_cast<WPARAM>(position), 0); }
  void ClearItems() override { Send(LB_RESETCONTENT, CB_RESETCONTENT, 0, 0); }
  int CurSel() const override { return Send(LB_GETCURSEL, CB_GETCURSEL, 0, 0); }
  void SetCurSel(int position) override { Send(LB_SETCURSEL, CB_SETCURSEL, static_cast<WPARAM>(position), 0); }
  bool Selected(int position) const override {
    return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(position), 0) > 0;
  }
  void SetSelected(int position, bool selected) override {
    SendMessageW(hwnd_, LB_SETSEL, selected, static_cast<LPARAM>(position));
  }
  int Caret() const override { return static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0)); }
  int FindExact(const std::string& text) const override {
    if (!IsWindow(hwnd_)) return -2;
    // The list box compares the whole text without regard to letter case.
    const std::string ansi = ToAnsi(text);
    return static_cast<int>(static_cast<LONG>(
        SendMessageA(hwnd_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(ansi.c_str()))));
  }
  void SetRedraw(bool redraw) override {
    SendMessageW(hwnd_, WM_SETREDRAW, redraw, 0);
    if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // Roll-up panel.
  void SetOpened(bool opened) override {
    opened_ = opened;
    if (layout) layout();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  bool Opened() const override { return opened_; }

  std::function<void()> layout;
  bool opened_ = false;

  // Gives a caption the font it fits its control in at the DPI; measured
  // again only when the text or the DPI has changed.
  void FitCaption(const std::wstring& text, int dpi) {
    if (!HasCaption(kind_) || (text == fittedText_ && dpi == fittedDpi_)) return;
    fittedText_ = text;
    fittedDpi_ = dpi;
    SetFont(hwnd_, backend_.CaptionFont(def_, text, dpi));
  }

 private:
  int Send(UINT listMsg, UINT comboMsg, WPARAM wp, LPARAM lp) const {
    return static_cast<int>(
        static_cast<LONG>(SendMessageW(hwnd_, kind_ == Kind::ComboBox ? comboMsg : listMsg, wp, lp)));
  }

  HWND hwnd_;
  Kind kind_;
  bool multi_;
  const ui::ControlDef& def_;
  Win32Backend& backend_;
  std::wstring fittedText_;
  int fittedDpi_ = 0;
};

// Menu items: a top-level menu owns a popup; its items are entries of it.
class MenuPeer : public ui::Peer {
 public:
  MenuPeer(HMENU parent, UINT id, const ui::ControlDef& def)
      : parent_(parent), id_(id), text_(def.caption), visible_(def.visible), enabled_(def.enabled) {
    if (!parent_) {
      popup_ = CreatePopupMenu();
    } else {
      const std::wstring wide = Widen(text_);
      AppendMenuW(parent_, def.separator ? MF_SEPARATOR : (MF_STRING | (enabled_ ? 0 : MF_GRAYED)), id_,
                  def.separator ? nullptr : wide.c_str());
    }
  }
  ~MenuPeer() override {
    if (popup_) DestroyMenu(popup_);
  }
  HMENU Popup() const { return popup_; }

  void SetText(const std::string& text) override {
    text_ = text;
    if (parent_) {
      const std::wstring wide = Widen(text);
      ModifyMenuW(parent_, id_, MF_BYCOMMAND | MF_STRING | (enabled_ ? 0 : MF_GRAYED), id_, wide.c_str());
    }
  }
  std::string Text() const override { return text_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (parent_) EnableMenuItem(parent_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  bool Enabled() const override {
    if (!parent_) return enabled_;
    return (GetMenuState(parent_, id_, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  // Both top-level menus are hidden: the window has no menu bar.
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }

 private:
  HMENU parent_;
  HMENU popup_ = nullptr;
  UINT id_;
  std::string text_;
  bool visible_;
  bool enabled_;
};

class TimerPeer : public ui::Peer {
 public:
  TimerPeer(HWND form, UINT id) : form_(form), id_(id) {}
  ~TimerPeer() override { KillTimer(form_, id_); }
  void SetText(const std::string&) override {}
  std::string Text() const override { return {}; }
  void SetEnabled(bool) override {}
  bool Enabled() const override { return true; }
  void SetVisible(bool) override {}
  bool Visible() const override { return false; }
  void SetTimer(bool enabled, int intervalMs) override {
    if (enabled && intervalMs > 0) {
      ::SetTimer(form_, id_, static_cast<UINT>(intervalMs), nullptr);
    } else {
      KillTimer(form_, id_);
    }
  }

 private:
  HWND form_;
  UINT id_;
};

class MediaPeer : public ui::Peer {
 public:
  void SetText(const std::string&) override {}
  std::string Text() const override { return {}; }
  void SetEnabled(bool) override {}
  bool Enabled() const override { return true; }
  void SetVisible(bool) override {}
  bool Visible() const override { return false; }
  // Asynchronous; a missing file or a failed playback is ignored.
  void Play(const std::string& path) override {
    PlaySoundW(Widen(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  }
};

// --- the top-level window ----------------------------------------------------

class FormPeer : public ui::WindowPeer {
 public:
  FormPeer(HWND hwnd, ui::Window& window) : hwnd_(hwnd), window_(window) {}
  ~FormPeer() override { Destroy(); }

  void SetCaption(const std::string& caption) override { SetWindowTextW(hwnd_, Widen(caption).c_str()); }
  std::string Caption() const override { return WindowText(hwnd_); }
  void SetVisible(bool visible) override {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (visible) {
      // Painted at once, frame and controls: a window shown at the start of
      // a termination run gets no other chance, since the run handles no
      // messages until it is over.
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      SetForegroundWindow(hwnd_);
    }
  }
  bool Visible() const override { return IsWindowVisible(hwnd_) != 0; }
  void Destroy() override {
    if (IsWindow(hwnd_)) {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
  }
  float TwipsPerPixelX() const override { return 1440.0f / static_cast<float>(Win32Backend::DpiOf(hwnd_)); }
  bool PointerOverWindow() const override {
    POINT pt;
    if (!GetCursorPos(&pt)) return false;
    HWND under = WindowFromPoint(pt);
    return under && GetAncestor(under, GA_ROOT) == hwnd_ && IsWindowVisible(hwnd_);
  }
  void SetForeground() override { SetForegroundWindow(hwnd_); }
  void PopupMenu(const ui::WindowPeer& menuWindow, int menu, int defaultItem) override {
    const auto& owner = static_cast<const FormPeer&>(menuWindow);
    ui::Control* menuControl = owner.window_.FindById(ui::kFirstControlId + menu);
    if (!menuControl) return;
    HMENU popup = static_cast<MenuPeer&>(menuControl->peer()).Popup();
    SetMenuDefaultItem(popup, static_cast<UINT>(ui::kFirstControlId + defaultItem), FALSE);
    POINT pt;
    GetCursorPos(&pt);
    const int chosen = static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD, pt.x, pt.y, 0, hwnd_, nullptr));
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (chosen) {
      if (ui::Control* item = owner.window_.FindById(chosen)) item->UserClicked();
    }
  }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
  std::uintptr_t IconHandle() const override {
    return reinterpret_cast<std::uintptr_t>(reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0)));
  }

 private:
  HWND hwnd_;
  ui::Window& window_;
};

DWORD FormStyle(ui::Border border) {
  switch (border) {
    case ui::Border::FixedSingle: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case ui::Border::Sizable: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    case ui::Border::FixedDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    case ui::Border::None: return WS_POPUP;
  }
  return WS_OVERLAPPEDWINDOW;
}

HWND HiddenOwner(HINSTANCE instance) {
  static HWND owner = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  return owner;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <class Fn>
Fn UserFunction(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

void AdjustRect(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = UserFunction<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (adjust) {
    adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

}  // namespace

// --- backend -------------------------------------------------------------------

void DeclareDpiAwareness() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  if (const auto setContext = UserFunction<SetContextFn>("SetProcessDpiAwarenessContext")) {
    if (setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;  // per monitor v2
  }
  if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
    using SetAwarenessFn = HRESULT(WINAPI*)(int);
    const auto setAwareness =
        reinterpret_cast<SetAwarenessFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "SetProcessDpiAwareness")));
    if (setAwareness && SUCCEEDED(setAwareness(2))) return;  // per monitor
  }
  SetProcessDPIAware();
}

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance), measuring_(CreateCompatibleDC(nullptr)) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);

  wc.lpfnWndProc = PanelProc;
  wc.lpszClassName = kPanelClass;
  RegisterClassExW(&wc);

  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kOwnerClass;
  RegisterClassExW(&wc);
}

Win32Backend::~Win32Backend() {
  DeleteDC(measuring_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
}

int Win32Backend::DpiOf(HWND hwnd) {
  if (hwnd) {
    if (HANDLE laidOut = GetPropW(GetAncestor(hwnd, GA_ROOT), kDpiProp)) {
      return static_cast<int>(reinterpret_cast<INT_PTR>(laidOut));
    }
  }
  return SystemDpiOf(hwnd);
}

int Win32Backend::SystemDpiOf(HWND hwnd) {
  static const auto getDpi = UserFunction<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpi && hwnd) {
    const UINT dpi = getDpi(hwnd);
    if (dpi) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

HFONT Win32Backend::Font(double points, bool bold, int dpi) { return FontOfHeight(FontPixels(points, dpi), bold); }

HFONT Win32Backend::CaptionFont(const ui::ControlDef& def, const std::wstring& text, int dpi) {
  const RECT client{0, 0, ui::TwipsToPixels(def.rect.width, dpi), ui::TwipsToPixels(def.rect.height, dpi)};
  const CaptionBox box = CaptionBoxOf(def.kind, def.align, client, dpi);
  const int design = FontPixels(def.fontSize, dpi);
  HGDIOBJ original = GetCurrentObject(measuring_, OBJ_FONT);
  const int height = FittingHeight(design, std::min(design, FontPixels(kSmallestPoints, dpi)), [&](int pixels) {
    SelectObject(measuring_, FontOfHeight(pixels, def.bold));
    return CaptionFits(measuring_, text, box);
  });
  SelectObject(measuring_, original);
  return FontOfHeight(height, def.bold);
}

HFONT Win32Backend::FontOfHeight(int pixels, bool bold) {
  const auto key = std::make_pair(pixels, bold);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  if (face_.empty()) {
    // The windows are laid out for the metrics of MS Sans Serif: its
    // scalable form where the system has it, else the face of that name
    // (or whatever the system gives for it).
    face_ = L"MS Sans Serif";
    lf.lfHeight = -11;
    wcscpy(lf.lfFaceName, L"Microsoft Sans Serif");
    HFONT probe = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(measuring_, probe);
    wchar_t actual[LF_FACESIZE] = {};
    GetTextFaceW(measuring_, LF_FACESIZE, actual);
    SelectObject(measuring_, old);
    DeleteObject(probe);
    if (_wcsicmp(actual, lf.lfFaceName) == 0) face_ = lf.lfFaceName;
  }
  lf.lfHeight = -pixels;
  wcsncpy(lf.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  fonts_[key] = font;
  return font;
}

HBRUSH Win32Backend::Brush(COLORREF colour) {
  if (auto it = brushes_.find(colour); it != brushes_.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(colour);
  brushes_[colour] = brush;
  return brush;
}

HWND Win32Backend::HandleOf(const ui::Window& window) {
  return reinterpret_cast<HWND>(window.peer().Handle());
}

HWND Win32Backend::HandleOf(const ui::Control& control) {
  const auto* peer = dynamic_cast<const ControlPeer*>(&control.peer());
  return peer ? peer->Handle() : nullptr;
}

std::unique_ptr<ui::WindowPeer> Win32Backend::CreateWindowPeer(ui::Window& window) {
  const ui::WindowDef& def = window.Def();
  const DWORD style = FormStyle(def.border);
  DWORD exStyle = WS_EX_CONTROLPARENT;
  HWND owner = def.showInTaskbar ? nullptr : HiddenOwner(instance_);
  if (def.border == ui::Border::FixedDialog) exStyle |= WS_EX_DLGMODALFRAME;
  HWND hwnd = CreateWindowExW(exStyle, kFormClass, Widen(def.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                              100, 100, owner, nullptr, instance_, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&window));
  SetPropW(hwnd, L"MorvexBackend", this);
  if (def.iconId) {
    const auto load = [&](int size) {
      return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(def.iconId), IMAGE_ICON, size, size, 0));
    };
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(GetSystemMetrics(SM_CXICON))));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(GetSystemMetrics(SM_CXSMICON))));
  }
  return std::make_unique<FormPeer>(hwnd, window);
}

std::unique_ptr<ui::Peer> Win32Backend::CreatePeer(ui::Window& window, ui::Control& control) {
  const ui::ControlDef& def = control.Def();
  HWND form = HandleOf(window);
  const auto id = static_cast<UINT>(control.Id());

  if (def.kind == Kind::Timer) {
    auto peer = std::make_unique<TimerPeer>(form, id);
    peer->SetTimer(def.enabled, def.interval);
    return peer;
  }
  if (def.kind == Kind::MediaPlayer) return std::make_unique<MediaPeer>();
  if (def.kind == Kind::MenuItem) {
    HMENU parent = nullptr;
    if (!def.parent.empty()) parent = static_cast<MenuPeer&>(window.Find(def.parent).peer()).Popup();
    return std::make_unique<MenuPeer>(parent, id, def);
  }

  HWND parent = def.parent.empty() ? form : HandleOf(window.Find(def.parent));
  const wchar_t* cls = L"STATIC";
  // Siblings never paint over each other: the one declared first lies on top.
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (def.visible ? WS_VISIBLE : 0) | (def.enabled ? 0 : WS_DISABLED);
  DWORD exStyle = 0;
  const bool centred = def.align == ui::Align::Center;
  switch (def.kind) {
    case Kind::Label:
      style |= SS_NOTIFY | (centred ? SS_CENTER : SS_LEFT);
      break;
    case Kind::Frame:
      cls = L"BUTTON";
      style |= BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case Kind::Button:
      cls = L"BUTTON";
      style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
      break;
    case Kind::XpButton:
      // A push button drawn in the program's own style (DrawXpButton); it
      // answers clicks, texts and enabling like any button.
      cls = L"BUTTON";
      style |= BS_OWNERDRAW | WS_TABSTOP;
      break;
    case Kind::CheckBox:
      cls = L"BUTTON";
      style |= BS_3STATE | WS_TABSTOP;
      break;
    case Kind::OptionButton:
      cls = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case Kind::ComboBox:
      cls = L"COMBOBOX";
      style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
      break;
    case Kind::ListBox:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | (def.multiSelect ? LBS_EXTENDEDSEL : 0);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::TextBox:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP | (centred ? ES_CENTER : ES_LEFT);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::RollUp:
      cls = kPanelClass;
      style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    default:
      break;
  }
  HWND hwnd = CreateWindowExW(exStyle, cls, Widen(def.caption).c_str(), style, 0, 0, 1, 1, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance_, nullptr);
  auto peer = std::make_unique<ControlPeer>(hwnd, def, *this);
  switch (def.kind) {
    case Kind::Frame:
      SetWindowSubclass(hwnd, ContainerSubclass, 1, 0);
      break;
    case Kind::RollUp:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
      peer->opened_ = def.value;
      peer->layout = [this, &window] { Layout(window, DpiOf(HandleOf(window))); };
      break;
    case Kind::CheckBox:
    case Kind::OptionButton:
      peer->SetCheck(def.value ? 1 : 0);
      break;
    case Kind::ComboBox:
      // A combo box does not take its creation text into its edit field.
      peer->SetText(def.caption);
      break;
    case Kind::TextBox:
      if (def.maxLength > 0) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(def.maxLength), 0);
      break;
    default:
      break;
  }
  if (!def.tooltip.empty()) {
    if (!tooltip_) {
      tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, instance_, nullptr);
    }
    std::wstring tip = Widen(def.tooltip);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = form;
    info.uId = reinterpret_cast<UINT_PTR>(hwnd);
    info.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  return peer;
}

void Win32Backend::WindowBuilt(ui::Window& window) { Place(window, SystemDpiOf(HandleOf(window))); }

void Win32Backend::Place(ui::Window& window, int dpi) {
  HWND hwnd = HandleOf(window);
  const ui::WindowDef& def = window.Def();
  RECT rect{0, 0, ui::TwipsToPixels(def.clientWidth, dpi), ui::TwipsToPixels(def.clientHeight, dpi)};
  AdjustRect(rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
             static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), dpi);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + (work.right - work.left - width) / 2;
  int y = work.top + (work.bottom - work.top - height) / 2;
  if (!def.centred) x = y = 0;
  SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout(window, dpi);
}

void Win32Backend::WindowDestroyed(ui::Window& window) {
  HWND hwnd = HandleOf(window);
  if (IsWindow(hwnd)) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, kDpiProp);
  }
}

void Win32Backend::Layout(ui::Window& window) { Layout(window, SystemDpiOf(HandleOf(window))); }

void Win32Backend::Layout(ui::Window& window, int dpi) {
  HWND form = HandleOf(window);
  SetPropW(form, kDpiProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
  const auto px = [dpi](int twips) { return ui::TwipsToPixels(twips, dpi); };
  for (const auto& control : window.Controls()) {
    HWND hwnd = HandleOf(*control);
    if (!hwnd) continue;
    const ui::ControlDef& def = control->Def();
    int height = def.rect.height;
    if (def.kind == Kind::RollUp && control->peer().Opened() && def.openHeight > 0) height = def.openHeight;
    if (def.kind == Kind::ComboBox) height += kComboDropTwips;
    SetWindowPos(hwnd, nullptr, px(def.rect.left), px(def.rect.top), px(def.rect.width), px(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (HasCaption(def.kind)) {
      static_cast<ControlPeer&>(control->peer()).FitCaption(WideWindowText(hwnd), dpi);
    } else {
      SetFont(hwnd, Font(def.fontSize, def.bold, dpi));
    }
    if (def.kind == Kind::ComboBox) {
      SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), px(def.rect.height) - 6);
    }
  }
  InvalidateRect(form, nullptr, TRUE);
}

LRESULT Win32Backend::OnCommand(ui::Window& window, WPARAM wp, LPARAM lp) {
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  ui::Control* control = window.FindById(id);
  if (!control) return 0;
  if (lp == 0) {  // a menu item
    if (code == 0) control->UserClicked();
    return 0;
  }
  switch (control->GetKind()) {
    case Kind::Button:
    case Kind::XpButton:
    case Kind::CheckBox:
    case Kind::OptionButton:
      if (code == BN_CLICKED) control->UserClicked();
      break;
    case Kind::Label:
      if (code == STN_CLICKED) control->UserClicked();
      break;
    case Kind::ListBox:
      if (code == LBN_SELCHANGE) control->UserClicked();
      break;
    case Kind::ComboBox:
      if (code == CBN_SELCHANGE) control->UserClicked();
      if (code == CBN_EDITCHANGE) static_cast<ui::ComboBox*>(control)->UserChanged();
      break;
    default:
      break;
  }
  return 0;
}

LRESULT Win32Backend::OnColour(ui::Window& window, HDC dc, HWND hwnd, bool edit, LRESULT fallback) {
  auto* backend = static_cast<Win32Backend*>(GetPropW(HandleOf(window), L"MorvexBackend"));
  ui::Control* control = window.FindById(GetDlgCtrlID(hwnd));
  if (!control || !backend) return fallback;
  const ui::ControlDef& def = control->Def();
  const auto rgb = [](std::uint32_t c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); };
  if (def.foreColour != ui::kNoColour) SetTextColor(dc, rgb(def.foreColour));
  if (def.backColour != ui::kNoColour) {
    SetBkColor(dc, rgb(def.backColour));
    return reinterpret_cast<LRESULT>(backend->Brush(rgb(def.backColour)));
  }
  if (edit) return fallback;
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

namespace {

bool Forwarded(UINT msg) {
  return msg == WM_COMMAND || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX ||
         msg == WM_CTLCOLORBTN || msg == WM_DRAWITEM;
}

}  // namespace

void Win32Backend::DrawXpButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const int dpi = DpiOf(item.hwndItem);
  const int round = MulDiv(6, dpi, 96);

  // A light face with a rounded frame in the header's blue; darker while pressed.
  HBRUSH face = CreateSolidBrush(pressed ? RGB(0xD6, 0xE1, 0xF2) : RGB(0xF7, 0xF9, 0xFD));
  HPEN frame = CreatePen(PS_SOLID, MulDiv(1, dpi, 96), disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0x2B, 0x57, 0x9A));
  HGDIOBJ oldBrush = SelectObject(dc, face);
  HGDIOBJ oldPen = SelectObject(dc, frame);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, round, round);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(frame);
  DeleteObject(face);

  // The caption, wrapped and centred both ways, in the button's own font.
  const std::wstring text = Widen(WindowText(item.hwndItem));
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  const CaptionBox box = CaptionBoxOf(Kind::XpButton, ui::Align::Center, rect, dpi);
  RECT area = box.area;
  RECT need = area;
  const UINT format = box.format;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, format | DT_CALCRECT);
  const int height = need.bottom - need.top;
  area.top += std::max(0L, static_cast<LONG>((area.bottom - area.top - height) / 2));
  if (pressed) OffsetRect(&area, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
  SelectObject(dc, oldFont);

  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = rect;
    InflateRect(&focus, -MulDiv(3, dpi, 96), -MulDiv(3, dpi, 96));
    DrawFocusRect(dc, &focus);
  }
}

LRESULT CALLBACK Win32Backend::ContainerSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (Forwarded(msg)) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  if (msg == WM_ERASEBKGND) {
    // A group box paints only its frame; its inside is the window's face.
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(reinterpret_cast<HDC>(wp), &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  if (msg == WM_PRINTCLIENT) {
    // A themed control inside has the group box paint its background into
    // the control's own DC and then draws its caption there: the DC keeps
    // the control's font, not the group box's.
    HDC dc = reinterpret_cast<HDC>(wp);
    const int saved = SaveDC(dc);
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    RestoreDC(dc, saved);
    return result;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Win32Backend::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (Forwarded(msg)) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  auto* control = reinterpret_cast<ui::Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const int dpi = DpiOf(hwnd);
  const int header = ui::TwipsToPixels(kHeaderTwips, dpi);
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (control && static_cast<short>(HIWORD(lp)) < header) control->UserClicked();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      RECT bar{0, 0, client.right, header};
      auto* backend = static_cast<Win32Backend*>(GetPropW(GetAncestor(hwnd, GA_ROOT), L"MorvexBackend"));
      if (backend) FillRect(dc, &bar, backend->Brush(RGB(0x2B, 0x57, 0x9A)));
      if (control) {
        const std::wstring text = Widen(control->Caption());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
        HGDIOBJ old = SelectObject(dc, GetPropW(hwnd, kFontProp));
        CaptionBox box = CaptionBoxOf(Kind::RollUp, ui::Align::Left, client, dpi);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box.area, box.format);
        SelectObject(dc, old);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    // The header's font, kept like a standard control keeps its own.
    case WM_SETFONT:
      SetPropW(hwnd, kFontProp, reinterpret_cast<HANDLE>(wp));
      if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropW(hwnd, kFontProp));
    case WM_NCDESTROY:
      RemovePropW(hwnd, kFontProp);
      return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK Win32Backend::FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  ui::Window* window = WindowOf(hwnd);
  if (!window) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == taskbarCreated) {
    window->ShellRestarted();
    return 0;
  }
  switch (msg) {
    case WM_COMMAND:
      return OnCommand(*window, wp, lp);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return OnColour(*window, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg == WM_CTLCOLOREDIT,
                      DefWindowProcW(hwnd, msg, wp, lp));
    case WM_DRAWITEM:
      DrawXpButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_TIMER:
      if (ui::Control* control = window->FindById(static_cast<int>(wp))) {
        if (control->GetKind() == Kind::Timer) static_cast<ui::Timer*>(control)->Fire();
      }
      return 0;
    case WM_MOUSEMOVE: {
      const float tpp = window->TwipsPerPixelX();
      const int x = static_cast<short>(LOWORD(lp));
      const int y = static_cast<short>(HIWORD(lp));
      int button = 0;
      if (wp & MK_LBUTTON) button |= 1;
      if (wp & MK_RBUTTON) button |= 2;
      if (wp & MK_MBUTTON) button |= 4;
      int shift = 0;
      if (wp & MK_SHIFT) shift |= 1;
      if (wp & MK_CONTROL) shift |= 2;
      window->MouseMoved(button, shift, static_cast<float>(x) * tpp, static_cast<float>(y) * tpp);
      return 0;
    }
    case WM_CLOSE:
      window->RequestClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wp) window->SessionEnding();
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (auto* backend = static_cast<Win32Backend*>(GetPropW(hwnd, L"MorvexBackend"))) backend->Layout(*window);
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropW(hwnd, L"MorvexBackend");
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace morvex::win32
