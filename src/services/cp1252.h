// Windows-1252, the ANSI code page of a German Windows, for builds where the
// platform's own conversion is not at hand.
#pragma once

#include <string>

#include "services/services.h"

namespace morvex::services {

std::string Utf8ToCp1252(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& ansi);

class Cp1252CodePage : public CodePage {
 public:
  std::string ToAnsi(const std::string& utf8) override { return Utf8ToCp1252(utf8); }
  std::string FromAnsi(const std::string& ansi) override { return Cp1252ToUtf8(ansi); }
};

}  // namespace morvex::services
