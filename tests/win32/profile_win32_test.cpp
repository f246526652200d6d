#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// Through the wide calls a folder or file named in letters the ANSI code
// page lacks ("Łódź", Cyrillic) is the file's own path: no short (8.3) name
// stands in, so it works where the drive has none. The file stays ANSI.
TEST_F(Win32ProfilePaths, FoldersAndFilesOutsideTheCodePageWorkAndTheFileStaysAnsi) {
  for (const char* name : {"\xC3\x9C" "bung", "\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"}) {
    SCOPED_TRACE(name);
    const std::filesystem::path folder = root_ / PathFromUtf8(name);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::filesystem::path& path : {folder / "config.ini", folder / PathFromUtf8("\xD0\xA4.ini")}) {
      const std::string file = Utf8Path(path);
      ASSERT_TRUE(profile_.WriteString("Form1", "txtSekunde", "10", file).ok);
      ASSERT_TRUE(profile_.WriteString("Form1", "Text1", "Gr\xF6\xDF" "e", file).ok);  // "Größe" in ANSI
      std::ifstream in(path, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(bytes, "[Form1]\r\ntxtSekunde=10\r\nText1=Gr\xF6\xDF" "e\r\n");
      char buffer[256];
      ASSERT_EQ(profile_.GetString("Form1", "Text1", buffer, sizeof buffer, file), 5u);
      EXPECT_STREQ(buffer, "Gr\xF6\xDF" "e");
    }
  }
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
  Win32PrivateProfile profile;
  char buffer[16] = "x";
  for (const char* path : {"", "C:\\bad\xC3(utf8).ini"}) {
    EXPECT_FALSE(profile.WriteString("Form1", "x", "1", path).ok) << path;
    EXPECT_EQ(profile.GetString("Form1", "x", buffer, sizeof buffer, path), 0u) << path;
  }
}

}  // namespace
}  // namespace morvex::win32
