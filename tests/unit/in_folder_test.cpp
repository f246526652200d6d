#include "services/in_folder.h"

#include <gtest/gtest.h>

namespace morvex::services {
namespace {

TEST(InFolder, JoinsWithOneBackslash) {
  struct Case {
    const char* folder;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Morvex", "C:\\Morvex\\List2.txt"},
      {"C:\\Morvex\\", "C:\\Morvex\\List2.txt"},
      {"C:\\", "C:\\List2.txt"},
      {"C:/Morvex/", "C:/Morvex/List2.txt"},
      {"\\\\server\\share", "\\\\server\\share\\List2.txt"},
      {"", "\\List2.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(InFolder(c.folder, "List2.txt"), c.path) << c.folder;
  EXPECT_EQ(InFolder(L"D:\\", L"taskkill.exe"), L"D:\\taskkill.exe");
}

}  // namespace
}  // namespace morvex::services
