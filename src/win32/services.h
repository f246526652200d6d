// The real services of the Windows program.
#pragma once

#include <windows.h>

#include "services/services.h"

namespace morvex::win32 {

class Win32MessageBoxes : public services::MessageBoxes {
 public:
  // Boxes are owned by the main window while it is visible and task-modal
  // while it is hidden, so that they always stay modal to the program.
  void SetMainWindow(HWND hwnd) { main_ = hwnd; }
  void Show(const std::string& text, const std::string& title, int style) override;

 private:
  HWND main_ = nullptr;
};

class Win32Shell : public services::Shell {
 public:
  void Execute(std::uintptr_t window, const std::string& operation, const std::string& file,
               const std::string& parameters, const std::string& directory, int show) override;
  // Through the desktop's shell (OpenThroughDesktopShell).
  std::string OpenAsDesktopUser(const std::string& file) override;
};

// The system clock (GetSystemTimeAsFileTime), the local time by the current
// time zone and its daylight-saving rules, and GetTickCount64, which counts
// on while the PC sleeps or hibernates.
class Win32Clock : public services::Clock {
 public:
  services::Instant Now() override;
  services::LocalTime LocalAt(services::Instant instant) override;
  std::int64_t Elapsed() override;
};

class Win32Files : public services::Files {
 public:
  std::string AppFolder() override;
  std::string ExecutablePath() override;
  bool IsOrdinaryFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  services::ReadResult Read(const std::string& path) override;
  services::FileResult Replace(const std::string& path, const std::string& bytes) override;
};

class Win32CodePage : public services::CodePage {
 public:
  std::string ToAnsi(const std::string& utf8) override;
  std::optional<std::string> ToAnsiExactly(const std::string& utf8) override;
  std::string FromAnsi(const std::string& ansi) override;
};

class Win32Lifetime : public services::Lifetime {
 public:
  void EndProgram() override;
  std::uint32_t ProcessId() override;
  // Looked up once: the name the process snapshot gives the own process (the
  // one TASKKILL matches), or the file name of the executable where that
  // fails.
  std::string ImageName() override;
  std::vector<std::string> AncestorImageNames() override;

 private:
  std::string imageName_;
};

class Win32Pause : public services::Pause {
 public:
  void Sleep(int ms) override;
};

}  // namespace morvex::win32
