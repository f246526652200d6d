// A main window whose services write one journal: each call the program makes
// to the world, in order, with the window's state at that moment. Tests of
// sequences (start-up, the ways the program ends, hiding to the tray) compare
// the journal with the order the program must keep.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "unit/fakes.h"

namespace morvex::testing {

// The state of Form1 a journal entry records: "shown" or "hidden", the show
// item of the popup menu ("menu on" / "menu off"), the entry counts of the
// catalogue and the kill list, and "armed" while the countdown runs.
inline std::string StateOf(const forms::Form1& form) {
  std::string state = form.Visible() ? "shown" : "hidden";
  state += form.Get<ui::MenuItem>("mnuPopUpShowForm").Enabled() ? " menu on" : " menu off";
  state += " L1=" + std::to_string(form.Get<ui::ListBox>("List1").ListCount());
  state += " L2=" + std::to_string(form.Get<ui::ListBox>("List2").ListCount());
  if (form.Get<ui::Timer>("tmrCountDown").Enabled()) state += " armed";
  return state;
}

struct Journal {
  struct Entry {
    std::string call;
    std::string state;
  };
  const forms::Form1* form = nullptr;
  std::vector<Entry> entries;

  // Runs of the same call in the same state (a profile read per control)
  // make one entry.
  void Log(const std::string& call) {
    Entry entry{call, form ? StateOf(*form) : std::string()};
    if (!entries.empty() && entries.back().call == entry.call && entries.back().state == entry.state) return;
    entries.push_back(std::move(entry));
  }
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    for (const Entry& entry : entries) calls.push_back(entry.call);
    return calls;
  }
  // "call | state" lines, for comparing order and state at once.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const Entry& entry : entries) lines.push_back(entry.call + " | " + entry.state);
    return lines;
  }
  void Clear() { entries.clear(); }
};

inline std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

class JournalFiles : public services::Files {
 public:
  JournalFiles(services::Files& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  std::string AppFolder() override { return inner_.AppFolder(); }
  std::string ExecutablePath() override { return inner_.ExecutablePath(); }
  bool IsOrdinaryFile(const std::string& path) override {
    journal_.Log("look " + FileNameOf(path));
    return inner_.IsOrdinaryFile(path);
  }
  bool Exists(const std::string& path) override {
    journal_.Log("look " + FileNameOf(path));
    return inner_.Exists(path);
  }
  services::ReadResult Read(const std::string& path) override {
    journal_.Log("read " + FileNameOf(path));
    return inner_.Read(path);
  }
  services::FileResult Replace(const std::string& path, const std::string& bytes) override {
    journal_.Log("write " + FileNameOf(path));
    return inner_.Replace(path, bytes);
  }

 private:
  services::Files& inner_;
  Journal& journal_;
};

class JournalProfile : public services::PrivateProfile {
 public:
  JournalProfile(services::PrivateProfile& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  std::size_t GetString(const std::string& section, const std::string& key, char* buffer, std::size_t size,
                        const std::string& file) override {
    journal_.Log("config read");
    return inner_.GetString(section, key, buffer, size, file);
  }
  services::FileResult WriteString(const std::string& section, const std::string& key, const std::string& value,
                                   const std::string& file) override {
    journal_.Log("config write");
    return inner_.WriteString(section, key, value, file);
  }
  services::FileResult DeleteKey(const std::string& section, const std::string& key,
                                 const std::string& file) override {
    journal_.Log("config write");
    return inner_.DeleteKey(section, key, file);
  }

 private:
  services::PrivateProfile& inner_;
  Journal& journal_;
};

class JournalMessages : public services::MessageBoxes {
 public:
  JournalMessages(services::MessageBoxes& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  void Show(const std::string& text, const std::string& title, int style) override {
    journal_.Log("message " + title);
    inner_.Show(text, title, style);
  }

 private:
  services::MessageBoxes& inner_;
  Journal& journal_;
};

class JournalClock : public services::Clock {
 public:
  JournalClock(services::Clock& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  services::Instant Now() override {
    journal_.Log("clock");
    return inner_.Now();
  }
  services::LocalTime LocalAt(services::Instant instant) override {
    journal_.Log("clock");
    return inner_.LocalAt(instant);
  }
  std::int64_t Elapsed() override {
    journal_.Log("clock");
    return inner_.Elapsed();
  }

 private:
  services::Clock& inner_;
  Journal& journal_;
};

class JournalLifetime : public services::Lifetime {
 public:
  JournalLifetime(services::Lifetime& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  void EndProgram() override {
    journal_.Log("end");
    inner_.EndProgram();
  }
  std::uint32_t ProcessId() override { return inner_.ProcessId(); }
  std::string ImageName() override { return inner_.ImageName(); }
  std::vector<std::string> AncestorImageNames() override { return inner_.AncestorImageNames(); }

 private:
  services::Lifetime& inner_;
  Journal& journal_;
};

class JournalNotificationArea : public services::NotificationArea {
 public:
  JournalNotificationArea(services::NotificationArea& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  std::uint32_t RecordSize() const override { return inner_.RecordSize(); }
  bool Notify(int message, const services::TrayIconRecord& record) override {
    journal_.Log(message == services::kTrayAdd ? "tray add" : "tray delete");
    return inner_.Notify(message, record);
  }
  void ShowBalloon(const services::TrayIconRecord& record, const std::string& title,
                   const std::string& text) override {
    journal_.Log("tray balloon");
    inner_.ShowBalloon(record, title, text);
  }
  services::UserState QueryUserState() override { return inner_.QueryUserState(); }
  void ShowNotice(const std::string& title, const std::string& text) override { inner_.ShowNotice(title, text); }
  void CloseNotice() override { inner_.CloseNotice(); }

 private:
  services::NotificationArea& inner_;
  Journal& journal_;
};

class JournalSnapshot : public services::ProcessSnapshot {
 public:
  JournalSnapshot(services::ProcessSnapshot& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  std::vector<services::ListedProcess> Processes() override {
    journal_.Log("snapshot");
    return inner_.Processes();
  }
  std::unique_ptr<services::ProcessHandle> Open(std::uint32_t id) override { return inner_.Open(id); }

 private:
  services::ProcessSnapshot& inner_;
  Journal& journal_;
};

// The Rig's fakes behind the journal, and the Rig's main window rebuilt on
// the journalled services.
struct JournalRig : Rig {
  Journal journal;
  JournalFiles jFiles{files, journal};
  JournalProfile jProfile{profile, journal};
  JournalMessages jMessages{messages, journal};
  JournalClock jClock{clock, journal};
  JournalLifetime jLifetime{lifetime, journal};
  JournalNotificationArea jTray{tray, journal};
  JournalSnapshot jSnapshot{snapshot, journal};
  services::Services journalled{jMessages, shell,    jClock,     jFiles,  codePage, jLifetime,   jTray,
                                jProfile,  jSnapshot, management, windows, links,    commands,    pause, account};

  JournalRig() {
    program.reset();
    program = std::make_unique<app::Program>(backend, journalled);
    journal.form = &program->Form();
  }
};

}  // namespace morvex::testing
