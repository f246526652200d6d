// The process snapshot and the management service against the real system.
// The service's Terminate is tested where its Win32_Process has the method
// (asked of the service: neither Wine 8's nor Wine 10's has it).
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "win32/probes/management_probe.h"
#include "win32/processes.h"

namespace morvex::win32 {
namespace {

const char kOwnImage[] = "morvex_win32_tests.exe";

// Started with MORVEX_WIN32_TEST_IDLE set, a copy of this program only waits,
// before any test runs: a process for Terminate to end.
const bool kIdleHelper = [] {
  if (GetEnvironmentVariableW(L"MORVEX_WIN32_TEST_IDLE", nullptr, 0) > 0) {
    Sleep(120000);
    ExitProcess(0);
  }
  return false;
}();

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

TEST_F(ManagementService, TerminateEndsTheProcessOfTheObject) {
  const probes::ManagementTerminate& terminate = probes::ManagementServiceTerminate();
  if (!terminate.available) GTEST_SKIP() << terminate.why;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring target = std::wstring(temp) + L"mvx_wmi_target.exe";
  ASSERT_TRUE(CopyFileW(self, target.c_str(), FALSE));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + target + L"\"";
  SetEnvironmentVariableW(L"MORVEX_WIN32_TEST_IDLE", L"1");
  const BOOL started =
      CreateProcessW(target.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableW(L"MORVEX_WIN32_TEST_IDLE", nullptr);
  ASSERT_TRUE(started);
  CloseHandle(pi.hThread);

  Win32ManagementService service;
  services::ProcessQueryResult result = service.QueryWin32Processes();
  ASSERT_TRUE(result.ok) << result.error;
  int ended = 0;
  for (const auto& process : result.processes) {
    if (process->Caption() == "mvx_wmi_target.exe") ended += process->Terminate() ? 1 : 0;
  }
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  TerminateProcess(pi.hProcess, 1);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hProcess);
  DeleteFileW(target.c_str());
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
