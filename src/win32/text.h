// UTF-8 in the core, UTF-16 in the windows, the ANSI code page at the files
// and the ...A functions.
#pragma once

#include <windows.h>

#include <string>

namespace morvex::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string ToAnsi(const std::string& utf8);
std::string FromAnsi(const std::string& ansi);
// The system's text for an error code, in the system's language.
std::string ErrorText(DWORD code);

}  // namespace morvex::win32
