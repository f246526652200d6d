// The ANSI and OEM code pages against the real API: exact forms or none. (Paths go
// through the same PathInCodePage as the profile's; the end-to-end suite runs
// a batch from a folder the OEM code page lacks.)
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win32/services.h"

namespace morvex::win32 {
namespace {

TEST(Win32CodePage, OemFormsAreExactOrNone) {
  Win32CodePage codePage;
  // ü is 0x81 in 437 (English, Wine) and 850 (German) alike.
  EXPECT_EQ(codePage.ToOem("spiel_für.exe"), std::optional<std::string>("spiel_f\x81r.exe"));
  // Neither holds these, and no look-alike may stand in.
  EXPECT_EQ(codePage.ToOem("€uro.exe"), std::nullopt);
  EXPECT_EQ(codePage.ToOem("Łukasz.exe"), std::nullopt);
  EXPECT_EQ(codePage.ToOem("bad\xC3(.exe"), std::nullopt);
}

TEST(Win32CodePage, AnsiFormsAreExactOrNone) {
  Win32CodePage codePage;
  EXPECT_EQ(codePage.ToAnsiExactly("spiel_für.exe"), std::optional<std::string>("spiel_f\xFCr.exe"));
  EXPECT_EQ(codePage.ToAnsiExactly("€uro.exe"), std::optional<std::string>("\x80uro.exe"));
  // Windows-1252 lacks Ł and ź; the best fit (L, z) may not stand in.
  EXPECT_EQ(codePage.ToAnsiExactly("Łódź.exe"), std::nullopt);
  EXPECT_EQ(codePage.ToAnsiExactly("bad\xC3(.exe"), std::nullopt);
}

}  // namespace
}  // namespace morvex::win32
