#include "win32/shell_links.h"

#include <objidl.h>
#include <shlobj.h>

#include "win32/handles.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

// The folder that "$(Programs)", "$(Startup)" or a plain path names, as the
// system reports it for the current user; empty when unknown.
std::wstring ParentFolder(const std::string& parent) {
  int folder = 0;
  if (parent == services::kProgramsFolder) {
    folder = CSIDL_PROGRAMS;
  } else if (parent == services::kStartupFolder) {
    folder = CSIDL_STARTUP;
  } else {
    return Widen(parent);
  }
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, folder | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

}  // namespace

std::int32_t Win32ShellLinks::CreateShellLink(const std::string& folder, const std::string& name,
                                              const std::string& target, const std::string& arguments,
                                              std::int32_t /*flag: a link of the same name is always replaced*/,
                                              const std::string& parent) {
  const std::wstring base = ParentFolder(parent);
  if (base.empty()) return 0;
  const std::optional<std::wstring> full = FullPath(base + L"\\" + Widen(folder));
  if (!full) return 0;
  const std::wstring& dir = *full;
  // A missing folder (the Startup folder of a new profile) is made first.
  const int made = SHCreateDirectoryExW(nullptr, dir.c_str(), nullptr);
  if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS) return 0;
  const std::wstring link = dir + L"\\" + Widen(name) + L".lnk";

  ComPtr<IShellLinkW> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.put_void()))) {
    return 0;
  }
  const std::wstring targetPath = Widen(target);
  if (FAILED(shellLink->SetPath(targetPath.c_str())) || FAILED(shellLink->SetArguments(Widen(arguments).c_str())) ||
      FAILED(shellLink->SetWorkingDirectory(FolderOf(targetPath).c_str()))) {
    return 0;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put_void()))) return 0;
  if (FAILED(file->Save(link.c_str(), TRUE))) return 0;
  const DWORD attributes = GetFileAttributesW(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

}  // namespace morvex::win32
