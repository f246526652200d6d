// Shortcuts (shell links) in the user's Start menu.
#pragma once

#include <cstdint>
#include <string>

namespace morvex::services {

// The parent folders that stand for the current user's Start-menu Programs
// folder, Startup folder, desktop and Quick Launch folder, wherever the
// system keeps them (a desktop redirected to another folder is that folder).
inline constexpr const char* kProgramsFolder = "$(Programs)";
inline constexpr const char* kStartupFolder = "$(Startup)";
inline constexpr const char* kDesktopFolder = "$(Desktop)";
inline constexpr const char* kQuickLaunchFolder = "$(QuickLaunch)";

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // Creates the shortcut "<name>.lnk" in `folder`, which is taken relative to
  // `parent` (kProgramsFolder, kStartupFolder, or a path), pointing at `target` with
  // `arguments`. A shortcut of the same name is replaced. `flag` is accepted
  // as the callers pass it (-1) and changes nothing. Returns nonzero when the
  // shortcut now exists at that place, 0 when it does not.
  // A folder that does not exist is not made: the result is 0.
  virtual std::int32_t CreateShellLink(const std::string& folder, const std::string& name, const std::string& target,
                                       const std::string& arguments, std::int32_t flag, const std::string& parent) = 0;
  // Whether `folder`, taken relative to `parent`, exists. The system's
  // Programs and Startup folders exist once asked for (the system makes its
  // own where a new profile lacks them); the desktop and Quick Launch (gone
  // on Windows 11) only where they are.
  virtual bool FolderExists(const std::string& folder, const std::string& parent) = 0;
};

}  // namespace morvex::services
