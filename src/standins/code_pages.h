// A stand-in for the system's code pages in the Linux build (the native
// tests, the fuzzers), where the platform's own conversion is not at hand:
// Windows-1252, the ANSI code page of a German or an English Windows.
// The Windows program never uses it.
#pragma once

#include <optional>
#include <string>

#include "services/services.h"

namespace morvex::standins {

std::string Utf8ToCp1252(const std::string& utf8);
// The text in Windows-1252; nothing when a character has no form there or the
// text is not UTF-8.
std::optional<std::string> Utf8ToCp1252Exactly(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& ansi);

class NativeCodePages : public services::CodePage {
 public:
  std::string ToAnsi(const std::string& utf8) override { return Utf8ToCp1252(utf8); }
  std::optional<std::string> ToAnsiExactly(const std::string& utf8) override { return Utf8ToCp1252Exactly(utf8); }
  std::string FromAnsi(const std::string& ansi) override { return Cp1252ToUtf8(ansi); }
};

}  // namespace morvex::standins
