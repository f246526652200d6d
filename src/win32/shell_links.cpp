#include "win32/shell_links.h"

#include <objidl.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <optional>

#include "services/in_folder.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

// The folder a parent names: the system's known folder for the current user,
// as the system reports it (also where it is redirected), or a plain path;
// empty when unknown. The Programs and Startup folders are made where the
// profile lacks them, as the system makes its own; the others are not.
std::wstring ParentFolder(const std::string& parent) {
  const struct {
    const char* parent;
    const KNOWNFOLDERID& id;
    DWORD flags;
  } known[] = {
      {services::kProgramsFolder, FOLDERID_Programs, KF_FLAG_CREATE},
      {services::kStartupFolder, FOLDERID_Startup, KF_FLAG_CREATE},
      {services::kDesktopFolder, FOLDERID_Desktop, KF_FLAG_DONT_VERIFY},
      {services::kQuickLaunchFolder, FOLDERID_QuickLaunch, KF_FLAG_DONT_VERIFY},
  };
  for (const auto& folder : known) {
    if (parent != folder.parent) continue;
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(folder.id, folder.flags, nullptr, &path);
    std::wstring found = SUCCEEDED(result) && path ? path : L"";
    CoTaskMemFree(path);
    return found;
  }
  return Widen(parent);
}

// The folder the link goes into, made absolute ("." and ".." resolved);
// nothing where it is unknown or does not exist.
std::optional<std::wstring> LinkFolder(const std::string& folder, const std::string& parent) {
  const std::wstring base = ParentFolder(parent);
  if (base.empty()) return std::nullopt;
  std::optional<std::wstring> full = FullPath(services::InFolder(base, Widen(folder)));
  if (!full) return std::nullopt;
  const DWORD attributes = GetFileAttributesW(full->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return full;
}

}  // namespace

std::int32_t Win32ShellLinks::CreateShellLink(const std::string& folder, const std::string& name,
                                              const std::string& target, const std::string& arguments,
                                              std::int32_t /*flag: a link of the same name is always replaced*/,
                                              const std::string& parent) {
  const std::optional<std::wstring> full = LinkFolder(folder, parent);
  if (!full) return 0;
  const std::wstring& dir = *full;
  const std::wstring link = services::InFolder(dir, Widen(name) + L".lnk");

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

bool Win32ShellLinks::FolderExists(const std::string& folder, const std::string& parent) {
  return LinkFolder(folder, parent).has_value();
}

}  // namespace morvex::win32
