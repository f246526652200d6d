// Filling the real list boxes of the main window under Windows (or Wine):
// 1,000 names into the process catalogue and a 10,000-line List2.txt into the
// kill list. Prints the median and the slowest of several runs.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "win32/account.h"
#include "win32/backend.h"
#include "win32/notification_area.h"
#include "win32/private_profile.h"
#include "win32/processes.h"
#include "win32/services.h"
#include "win32/shell_links.h"
#include "win32/system_commands.h"
#include "win32/window_ops.h"

namespace {

using namespace morvex;

class ThousandNames : public services::ProcessSnapshot {
 public:
  std::vector<services::ListedProcess> Processes() override {
    std::vector<services::ListedProcess> processes;
    for (std::uint32_t i = 0; i < 1000; ++i) processes.push_back({i, 0, "process" + std::to_string(i % 700) + ".exe"});
    return processes;
  }
  std::unique_ptr<services::ProcessHandle> Open(std::uint32_t) override { return nullptr; }
};

// The real files, in a folder of the benchmark's own.
class BenchFiles : public win32::Win32Files {
 public:
  explicit BenchFiles(std::string folder) : folder_(std::move(folder)) {}
  std::string AppFolder() override { return folder_; }

 private:
  std::string folder_;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

template <class Step>
void Report(const char* name, HWND form, int count, Step step) {
  std::vector<double> runs;
  for (int run = 0; run < count; ++run) {
    PumpMessages();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    step();
    UpdateWindow(form);  // the repaint belongs to the fill
    QueryPerformanceCounter(&end);
    runs.push_back(Milliseconds(start, end));
  }
  std::sort(runs.begin(), runs.end());
  std::printf("%-40s median %8.2f ms   slowest %8.2f ms\n", name, runs[runs.size() / 2], runs.back());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "morvex-bench";
  std::filesystem::create_directories(folder);
  {
    std::ofstream out(folder / "List2.txt", std::ios::binary | std::ios::trunc);
    for (int line = 0; line < 10000; ++line) out << "process" << line << ".exe\r\n";
  }
  const std::u8string folderUtf8 = folder.u8string();

  win32::Win32MessageBoxes messages;
  win32::Win32Shell shell;
  win32::Win32Clock clock;
  BenchFiles files(std::string(folderUtf8.begin(), folderUtf8.end()));
  win32::Win32CodePage codePage;
  win32::Win32Lifetime lifetime;
  win32::Win32NotificationArea notificationArea;
  win32::Win32PrivateProfile profile;
  ThousandNames snapshot;
  win32::Win32ManagementService management;
  win32::Win32WindowOps windows;
  win32::Win32ShellLinks links;
  win32::Win32SystemCommands commands;
  win32::Win32Pause pause;
  win32::Win32Account account;
  services::Services bundle{messages, shell,    clock,      files,   codePage, lifetime,    notificationArea,
                            profile,  snapshot, management, windows, links,    commands,    pause, account};

  win32::Win32Backend backend(instance);
  app::Program program(backend, bundle);
  forms::Form1& form = program.Form();
  form.Get<ui::RollUp>("xpRollUpContainer2").SetOpened(true);
  form.Show();
  HWND hwnd = win32::Win32Backend::HandleOf(form);

  Report("1,000 names into List1", hwnd, 15,
         [&] { processes::FillProcessCatalogue(form.Svc(), form.Get<ui::ListBox>("List1")); });
  // For comparison: the same without suspending the redrawing.
  Report("1,000 names into List1, redrawing", hwnd, 3, [&] {
    form.Get<ui::ListBox>("List1").Clear();
    for (const auto& name : snapshot.ImageNames()) form.Get<ui::ListBox>("List1").AddItem(codePage.FromAnsi(name));
  });
  Report("10,000-line List2.txt into List2", hwnd, 15, [&] {
    form.Get<ui::ListBox>("List2").Clear();
    program.KillList().LoadKillList();
  });
  std::fflush(stdout);
  std::filesystem::remove_all(folder);
  form.Hide();
  return 0;
}
