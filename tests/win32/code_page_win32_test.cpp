// The ANSI code page against the real API: exact forms or none.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win32/services.h"

namespace morvex::win32 {
namespace {

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
