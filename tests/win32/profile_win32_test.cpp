#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "contract/profile_contract.h"
#include "win32/private_profile.h"

namespace morvex::win32 {
namespace {

using services::contract::ProfileContract;
using services::contract::Utf8Path;

INSTANTIATE_TEST_SUITE_P(Win32, ProfileContract,
                         testing::Values(services::contract::ProfileSubject{
                             "Win32PrivateProfile", [] { return std::make_unique<Win32PrivateProfile>(); }}),
                         services::contract::ProfileSubjectName);

std::filesystem::path PathFromUtf8(const char* utf8) {
  return std::filesystem::path(reinterpret_cast<const char8_t*>(utf8));
}

class Win32ProfilePaths : public testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("morvex-paths-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(root_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  std::filesystem::path root_;
  Win32PrivateProfile profile_;
};

TEST_F(Win32ProfilePaths, FoldersOutsideTheCodePageStillWork) {
  // "Übung" exists in Windows-1252, the Cyrillic name needs the short form.
  for (const char* name : {"\xC3\x9C" "bung", "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"}) {
    SCOPED_TRACE(name);
    const std::filesystem::path folder = root_ / PathFromUtf8(name);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string file = Utf8Path(folder / "config.ini");
    ASSERT_TRUE(profile_.WriteString("Form1", "txtSekunde", "10", file).ok);
    EXPECT_TRUE(std::filesystem::exists(folder / "config.ini"));
    char buffer[256];
    ASSERT_EQ(profile_.GetString("Form1", "txtSekunde", buffer, sizeof buffer, file), 2u);
    EXPECT_STREQ(buffer, "10");
  }
}

TEST_F(Win32ProfilePaths, FileNameOutsideTheCodePageNeedsTheFile) {
  const std::filesystem::path path = root_ / PathFromUtf8("\xD0\xA4.ini");
  EXPECT_FALSE(AnsiProfilePath(Utf8Path(path)).has_value());
  EXPECT_FALSE(profile_.WriteString("Form1", "x", "1", Utf8Path(path)).ok);
  std::ofstream(path, std::ios::binary) << "[Form1]\r\nx=1\r\n";
  char buffer[256];
  EXPECT_EQ(profile_.GetString("Form1", "x", buffer, sizeof buffer, Utf8Path(path)), 1u);
}

TEST_F(Win32ProfilePaths, RelativePathMeansTheCurrentFolder) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  const bool written = profile_.WriteString("Form1", "x", "1", "relative.ini").ok;
  std::filesystem::current_path(previous);
  EXPECT_TRUE(written);
  EXPECT_TRUE(std::filesystem::exists(root_ / "relative.ini"));
}

TEST(Win32ProfilePath, RejectsWhatIsNoPath) {
  EXPECT_FALSE(AnsiProfilePath("").has_value());
  EXPECT_FALSE(AnsiProfilePath("C:\\bad\xC3(utf8).ini").has_value());
}

}  // namespace
}  // namespace morvex::win32
