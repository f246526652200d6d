// Owners of the system's resources: kernel handles, GDI objects, device
// contexts, COM interface pointers, windows, menus and icons. Each gives back
// what it holds exactly once, when it goes or is reset, so that no code of
// the program closes, deletes, releases or destroys one by hand.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace morvex::win32 {

// Holds one value of a policy's type: the value that means "none", whether a
// value is one, and how it is given back.
template <class Policy>
class Unique {
 public:
  using Type = typename Policy::Type;

  Unique() = default;
  explicit Unique(Type value) : value_(value) {}
  Unique(Unique&& other) noexcept : value_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  Type get() const { return value_; }
  explicit operator bool() const { return Policy::Valid(value_); }
  // Hands the value over without giving it back.
  Type release() { return std::exchange(value_, Policy::None()); }
  // Gives back the value held, if any, and holds `value` instead.
  void reset(Type value = Policy::None()) {
    const Type old = std::exchange(value_, value);
    if (Policy::Valid(old)) Policy::Close(old);
  }
  // For a function that hands a new value out through a pointer.
  Type* put() {
    reset();
    return &value_;
  }

 private:
  Type value_ = Policy::None();
};

namespace policy {

template <class T>
struct NullIsNone {
  using Type = T;
  static T None() { return nullptr; }
  static bool Valid(T value) { return value != nullptr; }
};

// Both failure values of the kernel's functions mean "none".
struct KernelHandle {
  using Type = HANDLE;
  static HANDLE None() { return nullptr; }
  static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

template <class T>
struct GdiObject : NullIsNone<T> {
  static void Close(T object) { ::DeleteObject(object); }
};

struct MemoryDc : NullIsNone<HDC> {
  static void Close(HDC dc) { ::DeleteDC(dc); }
};

// A child window its parent has already taken with it is left alone.
struct Window : NullIsNone<HWND> {
  static void Close(HWND hwnd) {
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
  }
};

struct Menu : NullIsNone<HMENU> {
  static void Close(HMENU menu) { ::DestroyMenu(menu); }
};

struct Icon : NullIsNone<HICON> {
  static void Close(HICON icon) { ::DestroyIcon(icon); }
};

template <class T>
struct ComObject : NullIsNone<T*> {
  static void Close(T* object) { object->Release(); }
};

}  // namespace policy

using UniqueHandle = Unique<policy::KernelHandle>;
using UniqueFont = Unique<policy::GdiObject<HFONT>>;
using UniqueBrush = Unique<policy::GdiObject<HBRUSH>>;
using UniquePen = Unique<policy::GdiObject<HPEN>>;
// A DC of CreateCompatibleDC.
using MemoryDc = Unique<policy::MemoryDc>;
using UniqueWindow = Unique<policy::Window>;
using UniqueMenu = Unique<policy::Menu>;
using UniqueIcon = Unique<policy::Icon>;

// The DC of a window's client area (the screen's for nullptr), from GetDC
// until it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// An object selected into a DC while it lives; the one it replaced is
// selected again when it goes.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), replaced_(::SelectObject(dc, object)) {}
  ~Selection() { ::SelectObject(dc_, replaced_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ replaced_;
};

// One reference to a COM object; ComPtr(p) takes over the caller's.
template <class T>
class ComPtr : public Unique<policy::ComObject<T>> {
 public:
  using Unique<policy::ComObject<T>>::Unique;
  T* operator->() const { return this->get(); }
  // For a function that hands out a new reference through a void**.
  void** put_void() { return reinterpret_cast<void**>(this->put()); }
};

}  // namespace morvex::win32
