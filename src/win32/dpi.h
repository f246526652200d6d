// Dots per inch: the process's awareness, a window's DPI, and a window's
// frame for a DPI. Twips become pixels through the DPI a window was laid out
// for (96 at 100 %).
#pragma once

#include <windows.h>

namespace morvex::win32 {

// Declares the process DPI-aware: per monitor where Windows offers it, the
// system DPI on Windows 7.
void DeclareDpiAwareness();

// The system's present DPI for the window (the screen's for nullptr).
int SystemDpiOf(HWND hwnd);

// The DPI the form holding hwnd was last laid out for; before its first
// layout, the system's for it.
int DpiOf(HWND hwnd);

// A system metric (a size) at the DPI: the system's own figure for it where
// Windows has one (Windows 10), else the system DPI's scaled.
int MetricForDpi(int index, int dpi);

// Grows a client rectangle to the window's outer rectangle at the DPI.
void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace morvex::win32
