// UTF-8 in the core, UTF-16 in the windows, the ANSI code page at the files
// and the ...A functions.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace morvex::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// A window's text (a control's caption or content).
std::wstring WindowText(HWND hwnd);
std::string ToAnsi(const std::string& utf8);
std::string FromAnsi(const std::string& ansi);
// Text in the ANSI code page to UTF-16 and back, for the ...W functions of
// what is kept in ANSI.
std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowToAnsi(const std::wstring& wide);
// The text in a code page, exactly: nothing when a character has no form of
// its own there (no look-alike stands in for it) or the text is not UTF-8.
std::optional<std::string> ToCodePageExactly(UINT codePage, const std::string& utf8);
// The path with "." and ".." steps resolved, made absolute against the
// current folder; nothing when the system cannot make it.
std::optional<std::wstring> FullPath(const std::wstring& path);
// The same for a path in UTF-8; nothing for an empty path or one that is no
// UTF-8.
std::optional<std::wstring> FullPathOf(const std::string& utf8);

// The folder a file lies in, empty for a bare name; a drive's root keeps
// its separator ("C:\\", not the drive-relative "C:").
std::wstring FolderOf(const std::wstring& path);
// The system's text for an error code, in the system's language.
std::string ErrorText(DWORD code);

}  // namespace morvex::win32
