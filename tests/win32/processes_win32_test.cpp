// The process snapshot and the management service against the real system.
// The service's Terminate is tested where its Win32_Process has the method
// (asked of the service: neither Wine 8's nor Wine 10's has it).
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "win32/probes/management_probe.h"
#include "win32/processes.h"
#include "win32/services.h"
#include "win32/system_commands.h"

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

// Started with MORVEX_WIN32_TEST_ANCESTORS naming a file, a copy of this
// program writes there the names of the processes it descends from, one a
// line, before any test runs.
const bool kAncestorsHelper = [] {
  wchar_t out[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"MORVEX_WIN32_TEST_ANCESTORS", out, MAX_PATH) > 0) {
    {
      std::ofstream file(std::filesystem::path(out), std::ios::binary);
      for (const std::string& name : Win32Lifetime().AncestorImageNames()) file << name << "\n";
    }
    ExitProcess(0);
  }
  return false;
}();

// Starts a copy of this program with the environment variable set for it
// alone; a null process handle when it cannot be started.
PROCESS_INFORMATION StartWith(const std::wstring& exe, const wchar_t* variable, const wchar_t* value) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + exe + L"\"";
  SetEnvironmentVariableW(variable, value);
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) pi = {};
  SetEnvironmentVariableW(variable, nullptr);
  return pi;
}

TEST(ProcessSnapshot, ListsImageNamesWithoutFolders) {
  Win32ProcessSnapshot snapshot;
  const std::vector<std::string> names = snapshot.ImageNames();
  EXPECT_NE(std::find(names.begin(), names.end(), kOwnImage), names.end());
  for (const auto& name : names) {
    EXPECT_EQ(name.find_first_of("\\/"), std::string::npos) << name;
    EXPECT_EQ(name.find('\0'), std::string::npos);
  }
}

// A system command started as a run starts TASKKILL: by its full path, in
// the system folder, its exit code read once it has ended; one that does not
// end is ended.
TEST(SystemCommand, StartsInTheSystemFolderAndGivesItsExitCode) {
  Win32SystemCommands commands;
  const std::string folder = commands.SystemFolder();
  ASSERT_FALSE(folder.empty());
  const std::string cmd = folder + "\\cmd.exe";
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "mvx_command_folder.txt";
  std::filesystem::remove(out);
  services::StartResult started =
      commands.Start(cmd, "\"" + cmd + "\" /D /C cd > \"" + out.string() + "\" & exit 7");
  ASSERT_TRUE(started.program) << started.error;
  ASSERT_TRUE(started.program->WaitForEnd(30000));
  EXPECT_EQ(started.program->ExitCode(), 7u);
  std::ifstream in(out);
  std::string current;
  std::getline(in, current);
  EXPECT_EQ(current.substr(0, current.find_last_not_of(" \r") + 1), folder);

  services::StartResult waiting = commands.Start(cmd, "\"" + cmd + "\" /D /C for /L %i in (1,0,2) do rem");
  ASSERT_TRUE(waiting.program);
  EXPECT_FALSE(waiting.program->WaitForEnd(200));
  EXPECT_EQ(waiting.program->ExitCode(), std::nullopt);
  EXPECT_TRUE(waiting.program->End());
  EXPECT_FALSE(commands.Start(folder + "\\mvx_no_such_command.exe", "x").program);
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
    std::vector<std::string> ownCaptions;  // of the objects with this process's identifier
    for (const auto& process : result.processes) {
      captions.push_back(process->Caption());
      if (process->ProcessId() == GetCurrentProcessId()) ownCaptions.push_back(captions.back());
    }
    EXPECT_NE(std::find(captions.begin(), captions.end(), kOwnImage), captions.end())
        << testing::PrintToString(captions);
    EXPECT_EQ(ownCaptions, std::vector<std::string>{kOwnImage});
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
  const PROCESS_INFORMATION pi = StartWith(target, L"MORVEX_WIN32_TEST_IDLE", L"1");
  ASSERT_TRUE(pi.hProcess);
  CloseHandle(pi.hThread);

  Win32ManagementService service;
  services::ProcessQueryResult result = service.QueryWin32Processes();
  ASSERT_TRUE(result.ok) << result.error;
  int ended = 0;
  for (const auto& process : result.processes) {
    if (process->Caption() == "mvx_wmi_target.exe") ended += process->Terminate() == 0u ? 1 : 0;
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

TEST(OwnProcess, IsKnownByItsIdentifierAndItsImageName) {
  Win32Lifetime lifetime;
  EXPECT_EQ(lifetime.ProcessId(), GetCurrentProcessId());
  EXPECT_EQ(lifetime.ImageName(), kOwnImage);
  EXPECT_EQ(lifetime.ImageName(), kOwnImage);  // looked up once, given again
}

// A copy of this program started by it names this program as its parent.
TEST(OwnProcess, KnowsTheProcessesItDescendsFrom) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"morvex-ancestors.txt";
  DeleteFileW(path.c_str());
  const PROCESS_INFORMATION pi = StartWith(self, L"MORVEX_WIN32_TEST_ANCESTORS", path.c_str());
  ASSERT_TRUE(pi.hProcess);
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::string parent;
  std::getline(std::ifstream(std::filesystem::path(path)), parent);
  DeleteFileW(path.c_str());
  // The parent first; further up, whatever started this program.
  EXPECT_EQ(parent, kOwnImage);
}

}  // namespace
}  // namespace morvex::win32
