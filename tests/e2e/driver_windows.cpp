// The driver's hands and eyes on morvex.exe's windows: finding them and their
// controls, clicks, keys, menus, message boxes, and what a screen reader is
// told.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "forms/window_tables.h"

namespace morvex::e2e {
namespace {

struct FindData {
  DWORD pid;
  std::vector<HWND> found;
  bool visibleOnly;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
  auto* data = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == data->pid && (!data->visibleOnly || IsWindowVisible(hwnd))) data->found.push_back(hwnd);
  return TRUE;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<ChildSearch*>(lp);
  if (GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> Morvex::TopWindows(bool visibleOnly) const {
  FindData data{pi_.dwProcessId, {}, visibleOnly};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

HWND Morvex::Form1() const {
  for (HWND hwnd : TopWindows(false)) {
    if (ClassOf(hwnd) == "MorvexForm" && GetDlgCtrlID(hwnd) == 0) {
      wchar_t caption[256];
      GetWindowTextW(hwnd, caption, 256);
      if (wcsncmp(caption, L"Morvex  (", 9) == 0) return hwnd;
    }
  }
  return nullptr;
}

HWND FindControl(HWND form, int id) {
  ChildSearch search{id, nullptr};
  if (form) EnumChildWindows(form, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Morvex::Control(int id) const {
  HWND found = FindControl(Form1(), id);
  // A test that asks at once for a control made after the paint waits for it.
  const ui::WindowDef& table = forms::Form1Def();
  const int position = id - ui::kFirstControlId;
  if (found || position < 0 || position >= static_cast<int>(table.controls.size()) ||
      !ui::MadeAfterFirstPaint(table, table.controls[static_cast<std::size_t>(position)])) {
    return found;
  }
  WaitFor([&] { return (found = FindControl(Form1(), id)) != nullptr; }, 10000);
  return found;
}

bool Morvex::LaterControlsMade() const {
  // They are made in table order: the last of them comes last.
  const ui::WindowDef& table = forms::Form1Def();
  for (std::size_t position = table.controls.size(); position-- > 0;) {
    if (ui::MadeAfterFirstPaint(table, table.controls[position])) {
      return Control(ui::kFirstControlId + static_cast<int>(position)) != nullptr;
    }
  }
  return true;
}

bool Morvex::OpenOptions() const {
  HWND panel = Control("xpRollUpContainer1");
  const auto height = [panel] {
    RECT rect{};
    GetWindowRect(panel, &rect);
    return rect.bottom - rect.top;
  };
  const LONG closed = height();
  Click("xpButton6");
  // The page's windows are all made before the panel takes its open height.
  return WaitFor([&] { return height() > 2 * closed; });
}

std::string Morvex::ClassOf(HWND hwnd) const {
  wchar_t name[128] = {};
  GetClassNameW(hwnd, name, 128);
  return Narrow(name);
}

std::string Morvex::TextOf(HWND hwnd) const {
  wchar_t text[2048] = {};
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return Narrow(text);
}

void Morvex::Click(const std::string& name, int index) const {
  PostMessageW(Control(name, index), BM_CLICK, 0, 0);
}

std::vector<std::string> Morvex::Items(const std::string& name) const {
  HWND list = Control(name);
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    items.push_back(Narrow(text));
  }
  return items;
}

std::vector<int> Morvex::SelectedPositions(const std::string& name) const {
  HWND list = Control(name);
  std::vector<int> selected;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(static_cast<int>(i));
  }
  return selected;
}

void Morvex::ClickItem(const std::string& name, int position, bool ctrl) const {
  HWND list = Control(name);
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(position), 0);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(4, static_cast<int>((position - top) * height + height / 2));
  const WPARAM keys = ctrl ? MK_CONTROL : 0;
  PostMessageW(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, keys, at);
}

void Morvex::ChooseMenu(const std::string& name) const {
  PostMessageW(Form1(), WM_COMMAND, MAKEWPARAM(IdOf("Form1", name), 0), 0);
}

std::optional<MessageBoxInfo> Morvex::WaitForMessageBox(int boundMs) const {
  MessageBoxInfo info;
  const bool found = WaitFor(
      [&] {
        for (HWND hwnd : TopWindows()) {
          if (ClassOf(hwnd) == "#32770") {
            info.hwnd = hwnd;
            return true;
          }
        }
        return false;
      },
      boundMs);
  if (!found) return std::nullopt;
  info.title = TextOf(info.hwnd);
  if (HWND text = GetDlgItem(info.hwnd, 0xFFFF)) info.text = TextOf(text);
  return info;
}

void Morvex::CloseMessageBox(const MessageBoxInfo& box) const {
  PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitFor([&] { return !IsWindow(box.hwnd); }, 5000);
}

void Morvex::NotifyFromIcon(UINT mouseMessage) const {
  PostMessageW(Form1(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
}

// Wine can apply an earlier move of the pointer onto Form1 late, when the
// program reads its X events; a release while the pointer is seen on the
// form rightly opens nothing and changes nothing. So the pointer is put away
// and the release sent again while no menu opened, at most three times.
bool Morvex::OpenMenuFromIcon() const {
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetCursorPos(kElsewhere.x, kElsewhere.y);
    NotifyFromIcon(WM_RBUTTONUP);
    if (WaitFor([&] { return PopupMenu() != nullptr; }, 5000)) return true;
  }
  return false;
}

HWND Morvex::PopupMenu() const {
  for (HWND hwnd : TopWindows()) {
    if (ClassOf(hwnd) == "#32768") return hwnd;
  }
  return nullptr;
}

void Morvex::RequestClose() const { PostMessageW(Form1(), WM_CLOSE, 0, 0); }

bool Morvex::BringToFront() const {
  HWND form = Form1();
  return WaitFor(
      [form] {
        if (GetForegroundWindow() == form) return true;
        SetForegroundWindow(form);
        return false;
      },
      5000);
}

void Morvex::PressKey(WORD key, bool shift) const {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string Morvex::FocusedControl() const {
  HWND form = Form1();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!form || !GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info)) return {};
  const ui::WindowDef& def = forms::Form1Def();
  for (HWND hwnd = info.hwndFocus; hwnd && hwnd != form; hwnd = GetParent(hwnd)) {
    const int position = GetDlgCtrlID(hwnd) - ui::kFirstControlId;
    if (position < 0 || position >= static_cast<int>(def.controls.size())) continue;
    const ui::ControlDef& control = def.controls[static_cast<std::size_t>(position)];
    if (Control(GetDlgCtrlID(hwnd)) != hwnd) continue;
    return control.index < 0 ? control.name : control.name + "(" + std::to_string(control.index) + ")";
  }
  return {};
}

Accessible AccessibleOf(HWND hwnd) {
  // The object lives in the program's process: COM carries the calls there.
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  Accessible result;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object))) ||
      !object) {
    return result;
  }
  result.found = true;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name) result.name = Narrow(name);
  SysFreeString(name);
  VARIANT value{};
  if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4) result.role = value.lVal;
  VariantClear(&value);
  if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4) result.state = value.lVal;
  VariantClear(&value);
  object->Release();
  return result;
}

}  // namespace morvex::e2e
