// The process snapshot and the management service against the real system.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "win32/processes.h"

namespace morvex::win32 {
namespace {

const char kOwnImage[] = "morvex_win32_tests.exe";

TEST(ProcessSnapshot, ListsImageNamesWithoutFolders) {
  Win32ProcessSnapshot snapshot;
  const std::vector<std::string> names = snapshot.ImageNames();
  EXPECT_NE(std::find(names.begin(), names.end(), kOwnImage), names.end());
  for (const auto& name : names) {
    EXPECT_EQ(name.find_first_of("\\/"), std::string::npos) << name;
    EXPECT_EQ(name.find('\0'), std::string::npos);
  }
}

class ManagementService : public testing::Test {
 protected:
  void SetUp() override { OleInitialize(nullptr); }
  void TearDown() override { OleUninitialize(); }
};

TEST_F(ManagementService, EachQueryConnectsAfreshAndFindsThisProcess) {
  Win32ManagementService service;
  for (int query = 0; query < 2; ++query) {
    SCOPED_TRACE(query);
    services::ProcessQueryResult result = service.QueryWin32Processes();
    ASSERT_TRUE(result.ok) << result.error;
    std::vector<std::string> captions;
    for (const auto& process : result.processes) captions.push_back(process->Caption());
    EXPECT_NE(std::find(captions.begin(), captions.end(), kOwnImage), captions.end())
        << testing::PrintToString(captions);
  }
}

TEST(ManagementServiceWithoutCom, FailsWithAReason) {
  // COM is not initialised on a new thread, so the moniker cannot be bound.
  Win32ManagementService service;
  services::ProcessQueryResult result;
  std::thread([&] { result = service.QueryWin32Processes(); }).join();
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_TRUE(result.processes.empty());
}

}  // namespace
}  // namespace morvex::win32
