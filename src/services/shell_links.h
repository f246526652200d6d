// Shortcuts (shell links) in the user's Start menu.
#pragma once

#include <cstdint>
#include <string>

namespace morvex::services {

// The parent folder that stands for the current user's Start-menu Programs folder.
inline constexpr const char* kProgramsFolder = "$(Programs)";

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // Creates the shortcut "<name>.lnk" in `folder`, which is taken relative to
  // `parent` (kProgramsFolder, or a path), pointing at `target` with
  // `arguments`. A shortcut of the same name is replaced. `flag` is accepted
  // as the callers pass it (-1) and changes nothing. Returns nonzero when the
  // shortcut now exists at that place, 0 when it does not.
  virtual std::int32_t CreateShellLink(const std::string& folder, const std::string& name, const std::string& target,
                                       const std::string& arguments, std::int32_t flag, const std::string& parent) = 0;
};

}  // namespace morvex::services
