// The fixture of the kill-list run: a main window on the fakes, its kill list
// set as start-up leaves it, and a trace of each step of a run in order.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "processes/killlist.h"
#include "processes/killlist_format.h"
#include "unit/fakes.h"

namespace morvex::testing {

using Lines = std::vector<std::string>;

inline const std::string kTaskkill = "C:\\Windows\\system32\\taskkill.exe";

inline std::string KillAll(const Lines& words) {
  std::string line = "\"" + kTaskkill + "\" /F";
  for (const std::string& word : words) line += " /IM " + word;
  return line + " /T";
}
inline std::string Kill(const std::string& word) { return KillAll({word}); }

// Writes what each step of a run does into one log, in order. The recorded
// services report pauses, starts, waits and queries as they happen; what
// changed in between (files, List2, the wait window) is read off the state.
class RunTrace {
 public:
  explicit RunTrace(Rig& rig) : rig_(rig) {
    rig.management.onQuery = [this] { Event("query"); };
    rig.pause.onPause = [this] { Event("pause"); };
    rig.commands.onStart = [this] { Event("start"); };
    rig.commands.onWait = [this] { Event("wait"); };
    rig.files.onRead = [this](const std::string& path) {
      if (path == processes::KillListPath(rig_.files)) Event("read List2.txt");
    };
    auto refill = rig.Form().Get<ui::Button>("Command1").onClick;
    rig.Form().Get<ui::Button>("Command1").onClick = [this, refill] {
      Event("catalogue");
      refill();
    };
    Sync();
    log.clear();
  }

  Lines Finish() {
    Sync();
    return log;
  }

  Lines log;

 private:
  void Event(const std::string& what) {
    Sync();
    log.push_back(what);
  }
  void Sync() {
    forms::Form1& form = rig_.Form();
    if (const int w = rig_.files.writes["C:\\Morvex\\config.ini"]; w != configWrites_) {
      configWrites_ = w;
      log.push_back("save");
    }
    if (const bool shown = form.HasForm2() && form.Form2().Visible(); shown != form2Shown_) {
      form2Shown_ = shown;
      log.push_back(shown ? "show Form2" : "close Form2");
    }
    for (; terminated_ < rig_.management.terminated.size(); ++terminated_) {
      log.push_back("terminate " + rig_.management.terminated[terminated_]);
    }
    const int count = form.Get<ui::ListBox>("List2").ListCount();
    if (count < listCount_) log.push_back("remove");
    if (count > listCount_) log.push_back("reload");
    listCount_ = count;
  }

  Rig& rig_;
  int configWrites_ = 0;
  bool form2Shown_ = false;
  std::size_t terminated_ = 0;
  int listCount_ = 0;
};

class Termination : public ::testing::Test {
 protected:
  Rig rig;
  forms::Form1& form = rig.Form();

  // The kill list as start-up leaves it: in the file and in List2, nothing
  // selected, the focus mark on the first entry.
  void KillList(const Lines& entries) {
    Lines ansi;
    for (const auto& entry : entries) ansi.push_back(rig.codePage.ToAnsi(entry));
    rig.files.files[processes::KillListPath(rig.files)] = processes::SerializeKillList(ansi);
    form.Get<ui::ListBox>("List2").Clear();
    rig.Program().KillList().LoadKillList();
  }
  void Click(int position, bool ctrl = false) {
    Rig::Peer(form.Get<ui::ListBox>("List2")).UserSelect(position, ctrl);
    form.Get<ui::ListBox>("List2").UserClicked();
  }
};

}  // namespace morvex::testing
