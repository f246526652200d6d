// Shortcuts made with the shell's link object (IShellLinkW saved through
// IPersistFile). COM must be initialised on the calling thread.
#pragma once

#include <windows.h>

#include "services/shell_links.h"

namespace morvex::win32 {

class Win32ShellLinks : public services::ShellLinks {
 public:
  std::int32_t CreateShellLink(const std::string& folder, const std::string& name, const std::string& target,
                               const std::string& arguments, std::int32_t flag, const std::string& parent) override;
  bool FolderExists(const std::string& folder, const std::string& parent) override;
};

}  // namespace morvex::win32
