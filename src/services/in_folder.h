// A file's path from its folder and its name.
#pragma once

#include <string>
#include <string_view>

namespace morvex::services {

// The folder, one "\" and the name: the folder's own trailing "\" (or "/"),
// as a drive's root "C:\" has one, is not doubled. An empty folder gives
// "\name", the name in the root of the current drive.
template <class Char>
std::basic_string<Char> InFolderOf(std::basic_string_view<Char> folder, std::basic_string_view<Char> name) {
  std::basic_string<Char> path(folder);
  if (path.empty() || (path.back() != Char('\\') && path.back() != Char('/'))) path += Char('\\');
  path += name;
  return path;
}

inline std::string InFolder(std::string_view folder, std::string_view name) { return InFolderOf(folder, name); }
inline std::wstring InFolder(std::wstring_view folder, std::wstring_view name) { return InFolderOf(folder, name); }

}  // namespace morvex::services
