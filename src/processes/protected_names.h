// The processes whose end stops Windows or the session at once, and the
// comparison of image names.
#pragma once

#include <string>

namespace morvex::processes {

// Whether two image names name the same program: letter case does not count.
bool SameImageName(const std::string& a, const std::string& b);

// The name without the blanks and tabs around it: no image name begins or
// ends with one, so a hand-edited "notepad.exe " names notepad.exe.
std::string TrimmedName(const std::string& name);

// Whether the name is one of the processes Windows needs (System, csrss.exe,
// wininit.exe, svchost.exe, ...), letter case ignored, as are blanks around it. Such a name
// is never copied into the kill list nor filled in from the management
// service, and no way of ending a process ever hands it on; where the user
// wrote one into List2.txt, it stays there and in List2 as written.
bool IsProtectedName(const std::string& name);

}  // namespace morvex::processes
