#include "win32/accessible.h"

#include "win32/captions.h"
#include "win32/handles.h"
#include "win32/lazy_imports.h"
#include "win32/styles.h"
#include "win32/text.h"
#include "win32/window_record.h"

namespace morvex::win32 {

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object for the window, with the control's name, role and
// state in place of its own. It holds only the window: the control is looked
// up on every question, so that a screen reader keeping the object asks
// nothing of a control that has gone.
class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(HWND hwnd, ComPtr<IAccessible> system) : hwnd_(hwnd), system_(std::move(system)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IAccessible) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // No late binding: screen readers call the interface itself.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const OleAutomation* oa = OleAutomationFunctions();
    const ui::Control* control = Control();
    if (!IsSelf(child) || !control || !oa) return system_->get_accName(child, name);
    const std::wstring text = Widen(AccessibleName(FormRecordOf(hwnd_)->window, *control));
    *name = text.empty() ? nullptr : oa->SysAllocString(text.c_str());
    return *name ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const ui::Control* control = Control();
    if (!IsSelf(child) || !control) return system_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = AccessibleRole(control->GetKind());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = system_->get_accState(child, state);
    const ui::Control* control = Control();
    if (!IsSelf(child) || !control || FAILED(result) || state->vt != VT_I4) return result;
    if (control->GetKind() == ui::Kind::CheckBox) {
      const int check = control->peer().Check();
      state->lVal |= check == 1 ? STATE_SYSTEM_CHECKED : check == 2 ? STATE_SYSTEM_MIXED : 0;
    }
    if (control->GetKind() == ui::Kind::RollUp) {
      state->lVal |= control->peer().Opened() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    }
    return result;
  }

  // Everything else as the system answers it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return system_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return system_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return system_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return system_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return system_->get_accFocus(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return system_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return system_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return system_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return system_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return system_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return system_->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return system_->put_accValue(child, value);
  }

 private:
  ~ControlAccessible() = default;
  const ui::Control* Control() const { return IsWindow(hwnd_) ? ControlOf(hwnd_) : nullptr; }

  HWND hwnd_;
  ComPtr<IAccessible> system_;
  LONG references_ = 1;
};

// The caption as read out: "&&" is an ampersand, a single '&' marks the
// mnemonic's letter and is dropped.
std::string WithoutMnemonicMarker(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    out += caption[i];
  }
  return out;
}

}  // namespace

std::string AccessibleName(const ui::Window& window, const ui::Control& control) {
  if (!control.Def().accessibleName.empty()) return control.Def().accessibleName;
  if (HasCaption(control.GetKind())) return WithoutMnemonicMarker(control.Caption());
  const std::string& parent = control.Def().parent;
  if (parent.empty() || window.Find(parent).GetKind() != ui::Kind::Frame) return {};
  return WithoutMnemonicMarker(window.Find(parent).Caption());
}

LRESULT AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp) {
  const ActiveAccessibility* acc = ActiveAccessibilityFunctions();
  if (static_cast<LONG>(lp) != OBJID_CLIENT || !acc || !ControlOf(hwnd)) return 0;
  ComPtr<IAccessible> system;
  if (FAILED(acc->CreateStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible, system.put_void()))) return 0;
  auto* object = new ControlAccessible(hwnd, std::move(system));
  const LRESULT result = acc->LresultFromObject(IID_IAccessible, wp, object);
  object->Release();
  return result;
}

}  // namespace morvex::win32
