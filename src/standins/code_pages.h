// A stand-in for the system's code pages in the Linux build (the native
// tests, the fuzzers), where the platform's own conversion is not at hand:
// the code pages of a German or an English Windows, Windows-1252 as the ANSI
// code page, 850 (German) or 437 (English, and Wine's) as the OEM code page.
// The Windows program never uses it.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "services/services.h"

namespace morvex::standins {

std::string Utf8ToCp1252(const std::string& utf8);
// The text in Windows-1252; nothing when a character has no form there or the
// text is not UTF-8.
std::optional<std::string> Utf8ToCp1252Exactly(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& ansi);
// The text in code page 850 or 437; nothing when a character has no exact
// form there, when the text is not UTF-8, or for any other code page.
std::optional<std::string> Utf8ToOem(int oemCodePage, const std::string& utf8);

class NativeCodePages : public services::CodePage {
 public:
  explicit NativeCodePages(int oemCodePage = 850) : oemCodePage(oemCodePage) {}
  std::string ToAnsi(const std::string& utf8) override { return Utf8ToCp1252(utf8); }
  std::optional<std::string> ToAnsiExactly(const std::string& utf8) override { return Utf8ToCp1252Exactly(utf8); }
  std::string FromAnsi(const std::string& ansi) override { return Cp1252ToUtf8(ansi); }
  std::optional<std::string> ToOem(const std::string& utf8) override { return Utf8ToOem(oemCodePage, utf8); }
  std::optional<std::string> OemPath(const std::string& utf8) override;

  int oemCodePage;
  // There is no file system here to give short names: the short forms of
  // folders, by their long paths, as one would give them.
  std::map<std::string, std::string> shortFolders;
};

}  // namespace morvex::standins
