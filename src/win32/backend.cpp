#include "win32/backend.h"

#include <commctrl.h>

#include "ui/headless.h"
#include "ui/startup_trace.h"
#include "ui/tab_order.h"
#include "win32/dispatch.h"
#include "win32/dpi.h"
#include "win32/form_peer.h"
#include "win32/keyboard.h"
#include "win32/layout.h"
#include "win32/peers.h"
#include "win32/styles.h"
#include "win32/text.h"
#include "win32/window_record.h"

namespace morvex::win32 {

using ui::Kind;

namespace {

// What the program did to a control before its window was made: its state
// kept in memory, given to the new window. (A list box's focus mark starts
// where the new list puts it.)
void TakeState(const ui::Peer& from, ui::Peer& to, const ui::ControlDef& def) {
  switch (def.kind) {
    case Kind::CheckBox:
    case Kind::OptionButton:
      to.SetCheck(from.Check());
      break;
    case Kind::TextBox:
      to.SetLocked(from.Locked());
      break;
    case Kind::ListBox:
    case Kind::ComboBox:
      for (int i = 0; i < from.Count(); ++i) to.AddItem(from.Item(i));
      if (def.multiSelect) {
        for (int i = 0; i < from.Count(); ++i) to.SetSelected(i, from.Selected(i));
      } else {
        to.SetCurSel(from.CurSel());
      }
      break;
    default:
      break;
  }
  // A combo box's edit text after its selection: the selection sets it.
  if (def.kind != Kind::ListBox && from.Text() != to.Text()) to.SetText(from.Text());
  to.SetEnabled(from.Enabled());
  to.SetVisible(from.Visible());
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  // An urgent event (the countdown's expiry) closes the popup menu that holds
  // the running handler; with no menu open this does nothing.
  Events().onUrgent = [] { EndMenu(); };
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

std::unique_ptr<ui::WindowPeer> Win32Backend::CreateWindowPeer(ui::Window& window) {
  const ui::WindowDef& def = window.Def();
  const WindowStyle form = FormStyle(def.border);
  HWND owner = def.showInTaskbar ? nullptr : HiddenOwner();
  HWND hwnd = CreateWindowExW(form.exStyle, form.className, Widen(def.caption).c_str(), form.style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, owner, nullptr, instance_, nullptr);
  MORVEX_STARTUP_STEP("  CreateWindowExW form");
  auto peer = std::make_unique<FormPeer>(hwnd, window, *this);
  HideFocusMarks(hwnd);
  if (def.iconId) SetFormIcons(hwnd, def.iconId, SystemDpiOf(hwnd));
  return peer;
}

std::unique_ptr<ui::Peer> Win32Backend::CreatePeer(ui::Window& window, ui::Control& control) {
  const ui::ControlDef& def = control.Def();
  HWND form = HandleOf(window);
  const auto id = static_cast<UINT>(control.Id());

  // The kinds that are no window of their own.
  switch (def.kind) {
    case Kind::Timer: {
      auto timer = std::make_unique<TimerPeer>(form, id);
      timer->SetTimer(def.enabled, def.interval);
      return timer;
    }
    case Kind::MediaPlayer:
      return std::make_unique<MediaPeer>();
    case Kind::MenuItem: {
      HMENU parent = nullptr;
      if (!def.parent.empty()) parent = static_cast<MenuPeer&>(window.Find(def.parent).peer()).Popup();
      return std::make_unique<MenuPeer>(parent, id, def);
    }
    default:
      break;
  }

  // The controls of a closed roll-up panel are not seen before it opens: they
  // keep their state in memory until then (MakePanelContents). Nor are those
  // below the client area: their windows are made once the window has been
  // painted (MakeLaterControls).
  if (const ui::Control* panel = PanelOf(window, def); panel && !panel->peer().Opened()) {
    return std::make_unique<ui::HeadlessPeer>(def);
  }
  if (ui::MadeAfterFirstPaint(window.Def(), def)) return std::make_unique<ui::HeadlessPeer>(def);
  return MakeControlWindow(window, control);
}

std::unique_ptr<ControlPeer> Win32Backend::MakeControlWindow(ui::Window& window, ui::Control& control) {
  // A control lies in its container (a frame or a roll-up panel) or the form,
  // made at its place for the form's DPI; its font follows once all are made
  // (or, in a panel opened later, when the panel is laid out open).
  const ui::ControlDef& def = control.Def();
  HWND form = HandleOf(window);
  const auto id = static_cast<UINT>(control.Id());
  HWND parent = def.parent.empty() ? form : HandleOf(window.Find(def.parent));
  const WindowStyle style = ControlStyle(def);
  const RECT rect = ControlRect(def, def.value, DpiOf(form));
  HWND hwnd = CreateWindowExW(style.exStyle, style.className, Widen(def.caption).c_str(), style.style, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance_, nullptr);
  std::unique_ptr<ControlPeer> peer;
  if (def.kind == Kind::RollUp) {
    peer = std::make_unique<RollUpPeer>(hwnd, control, window, *this);
  } else {
    peer = MakeControlPeer(hwnd, def, gdi_);
  }
  // What a control of the kind starts with beyond its styles. A Tab stop
  // tells a screen reader what it is; the panel does so itself.
  if (ui::TakesFocus(def.kind) && def.kind != Kind::RollUp) SetWindowSubclass(hwnd, AccessibleSubclass, 2, 0);
  switch (def.kind) {
    case Kind::Frame:
      SetWindowSubclass(hwnd, ContainerSubclass, 1, 0);
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
  return peer;
}

const ui::Control* Win32Backend::PanelOf(const ui::Window& window, const ui::ControlDef& def) {
  const ui::ControlDef* panel = ui::PanelOf(window.Def(), def);
  return panel ? &window.Find(panel->name) : nullptr;
}

void Win32Backend::MakePanelContents(ui::Window& window, const ui::Control& panel) {
  const bool tipsAdded = static_cast<const FormPeer&>(window.peer()).TipsAdded();
  for (const auto& control : window.Controls()) {
    // Containers come before what they hold, so a parent's window exists.
    const auto* pending = dynamic_cast<const ui::HeadlessPeer*>(&control->peer());
    if (!pending || PanelOf(window, control->Def()) != &panel) continue;
    std::unique_ptr<ControlPeer> made = MakeControlWindow(window, *control);
    TakeState(*pending, *made, control->Def());
    const std::string& tip = control->Def().tooltip;
    if (tipsAdded && !tip.empty()) AddTooltip(HandleOf(window), made->Handle(), tip);
    control->AttachPeer(std::move(made));
  }
}

void Win32Backend::MakeLaterControls(ui::Window& window) {
  HWND form = HandleOf(window);
  const bool tipsAdded = static_cast<const FormPeer&>(window.peer()).TipsAdded();
  const int dpi = DpiOf(form);
  const auto& controls = window.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    ui::Control& control = *controls[i];
    const ui::ControlDef& def = control.Def();
    const auto* pending = dynamic_cast<const ui::HeadlessPeer*>(&control.peer());
    if (!pending || !ui::MadeAfterFirstPaint(window.Def(), def)) continue;
    std::unique_ptr<ControlPeer> made = MakeControlWindow(window, control);
    TakeState(*pending, *made, def);
    HWND hwnd = made->Handle();
    // Below the sibling declared before it, as if it had been made in turn.
    HWND above = HWND_TOP;
    for (std::size_t j = i; j-- > 0;) {
      if (controls[j]->Def().parent != def.parent) continue;
      if (HWND sibling = HandleOf(*controls[j])) {
        above = sibling;
        break;
      }
    }
    SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    control.AttachPeer(std::move(made));
    SetFontFor(control, hwnd, dpi, gdi_);
    if (tipsAdded && !def.tooltip.empty()) AddTooltip(form, hwnd, def.tooltip);
  }
  MORVEX_STARTUP_STEP(window.Name() + ": the controls below the client area made");
}

void Win32Backend::WindowBuilt(ui::Window& window) {
  PlaceBuilt(window, gdi_);
  for (const auto& control : window.Controls()) {
    if (!dynamic_cast<const ui::HeadlessPeer*>(&control->peer())) continue;
    if (!ui::MadeAfterFirstPaint(window.Def(), control->Def())) continue;
    PostMessageW(HandleOf(window), MakeLaterControlsMessage(), 0, 0);
    break;
  }
}

void Win32Backend::Place(ui::Window& window, int dpi) { win32::Place(window, dpi, gdi_); }

void Win32Backend::WindowDestroyed(ui::Window& window) {
  HWND hwnd = HandleOf(window);
  if (IsWindow(hwnd)) Attach(hwnd, nullptr);
}

HWND Win32Backend::HandleOf(const ui::Window& window) { return reinterpret_cast<HWND>(window.peer().Handle()); }

HWND Win32Backend::HandleOf(const ui::Control& control) {
  const auto* peer = dynamic_cast<const ControlPeer*>(&control.peer());
  return peer ? peer->Handle() : nullptr;
}

HWND Win32Backend::HiddenOwner() {
  if (!hiddenOwner_) {
    hiddenOwner_.reset(
        CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr));
  }
  return hiddenOwner_.get();
}

void Win32Backend::SetFormIcons(HWND form, int resourceId, int dpi) {
  SendMessageW(form, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(Icon(resourceId, MetricForDpi(SM_CXICON, dpi))));
  SendMessageW(form, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(Icon(resourceId, MetricForDpi(SM_CXSMICON, dpi))));
}

HICON Win32Backend::ShellIcon(int resourceId, int dpi) {
  UniqueIcon& icon = shellIcons_[{resourceId, MetricForDpi(SM_CXSMICON, dpi)}];
  if (!icon) icon.reset(LoadShellIcon(instance_, resourceId, dpi));
  return icon.get();
}

HICON Win32Backend::LoadShellIcon(HINSTANCE module, int resourceId, int dpi) {
  // Functions of the common controls 6 (the manifest's), looked up in the
  // library the program has loaded.
  using LoadIconMetricFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
  using LoadIconScaledFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  const auto function = [](const char* name) -> FARPROC {
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    return comctl ? GetProcAddress(comctl, name) : nullptr;
  };
  static const auto loadMetric = reinterpret_cast<LoadIconMetricFn>(reinterpret_cast<void*>(function("LoadIconMetric")));
  static const auto loadScaled =
      reinterpret_cast<LoadIconScaledFn>(reinterpret_cast<void*>(function("LoadIconWithScaleDown")));
  const int size = MetricForDpi(SM_CXSMICON, dpi);
  HICON loaded = nullptr;
  const PCWSTR name = MAKEINTRESOURCEW(resourceId);
  if (loadMetric && size == GetSystemMetrics(SM_CXSMICON)) loadMetric(module, name, LIM_SMALL, &loaded);
  if (!loaded && loadScaled) loadScaled(module, name, size, size, &loaded);
  if (!loaded) loaded = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, 0));
  return loaded;
}

HICON Win32Backend::Icon(int resourceId, int size) {
  UniqueIcon& icon = icons_[{resourceId, size}];
  if (!icon) {
    icon.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0)));
  }
  return icon.get();
}

void Win32Backend::AddTooltips(const ui::Window& window) {
  HWND form = HandleOf(window);
  for (const auto& control : window.Controls()) {
    const std::string& tip = control->Def().tooltip;
    if (HWND hwnd = HandleOf(*control); hwnd && !tip.empty()) AddTooltip(form, hwnd, tip);
  }
}

void Win32Backend::AddTooltip(HWND form, HWND control, const std::string& text) {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, instance_, nullptr);
  }
  std::wstring tip = Widen(text);
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = form;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace morvex::win32
