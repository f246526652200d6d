// The kill list: List2 on the screen, List2.txt on disk. Every change of the
// list rewrites the file whole; the file is read when the program starts and
// after every termination run.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace morvex::services {
struct Services;
class Files;
}  // namespace morvex::services

namespace morvex::ui {
class ListBox;
}
namespace morvex::forms {
struct KillListPart;
}

namespace morvex::processes {

// List2.txt in the application folder (services::InFolder).
std::string KillListPath(services::Files& files);

// List2.txt opened for reading. Start-up opens it and reads the first entry
// before the main window loads; AppendKillList reads the rest.
//
// The file is read whole at once, in whichever encoding it comes (ANSI as the
// program writes it, or UTF-8 or UTF-16 as Notepad may): see
// DecodeKillListFile. An entry that holds a NUL character is not given: no
// process carries such a name, and no list box can show it.
class KillListFile {
 public:
  // Reads the file whole when an ordinary file exists at its place. A file
  // that exists but cannot be read is reported to the user (unless
  // `tellFailure` is false); what could be read is kept.
  explicit KillListFile(services::Services& services, bool tellFailure = true);
  KillListFile(const KillListFile&) = delete;
  KillListFile& operator=(const KillListFile&) = delete;

  // Whether the file exists (a folder of that name, or a hidden or system
  // file, counts as missing).
  bool IsOpen() const { return open_; }
  // False when the file exists but could not be read to its end, or held an
  // entry that is not given.
  bool GivesEveryEntry() const { return everyEntry_; }
  // The system's reason where the file exists but could not be read.
  const std::string& ReadError() const { return readError_; }
  bool AtEnd() const { return next_ >= entries_.size(); }
  // ReadKillListField: the next entry. Empty at the end.
  std::string ReadField();

 private:
  bool open_ = false;
  bool everyEntry_ = true;
  std::string readError_;
  std::vector<std::string> entries_;
  std::size_t next_ = 0;
};

// The kill list: List2 with its file, and the rule that binds them. Every
// change of the list rewrites the file whole; only a file that could be read
// just in part (or held an entry List2 cannot show) is not overwritten with
// that part until the user changes the list (adds, removes, or fills it from
// the management service).
//
// The file is written in the ANSI code page whenever every entry fits it
// exactly, and in UTF-8 with a byte-order mark when one does not.
class KillList {
 public:
  KillList(ui::ListBox& list, services::Services& services) : list_(list), services_(services) {}
  KillList(const KillList&) = delete;
  KillList& operator=(const KillList&) = delete;

  // Appends the entries of List2.txt to List2 (List2 is not emptied first). A
  // missing file changes nothing and shows nothing.
  void LoadKillList();
  // Appends the entries the open file has not yet given to the end of List2.
  void AppendKillList(KillListFile& file);
  // Rewrites List2.txt from List2. A failed write keeps the file as it was
  // and is reported to the user.
  void SaveKillList();

  // The entries of List2, in order.
  std::vector<std::string> Entries() const;
  // Whether List2 holds the name, in any letter case.
  bool Holds(const std::string& name) const;
  // List2 itself, which a termination run shrinks from the top while it works.
  ui::ListBox& Shown() const { return list_; }
  // After a termination run that emptied List2 in part or whole: List2 is
  // emptied and filled again, from List2.txt when the file holds what List2
  // showed and the reload gives every entry, else (its last save failed, it
  // was read only in part, or the reload fails) with `shownBefore`, what
  // List2 held before the run. Gives the system's reason where List2.txt
  // exists but could not be read (nothing is shown yet; see TellNotRead),
  // else nothing: a missing file is no failure.
  std::string RestoreAfterRun(const std::vector<std::string>& shownBefore);
  // The box "Fehler beim Lesen" for List2.txt with the reason.
  void TellNotRead(const std::string& reason);

  // The user's changes of the list: each makes the file writable again.
  void Add(const std::string& name);
  // Removes every selected entry; the others keep their order.
  void RemoveSelected();
  // Replaces every entry.
  void Replace(const std::vector<std::string>& names);

 private:
  ui::ListBox& list_;
  services::Services& services_;
  bool keepUnreadFile_ = false;
  bool lastSaveFailed_ = false;
};

// The click of cmduebernehmen: copies the name selected in List1 to the end
// of List2 unless it names a process Windows needs (the user is told) or List2
// already holds it in any letter case, then saves.
void AddToKillList(const ui::ListBox& catalogue, services::Services& services, KillList& killList);

// The click of cmdloeschen: removes every selected entry of List2, saves, and
// disables the button.
void RemoveFromKillList(forms::KillListPart& part, KillList& killList);

}  // namespace morvex::processes
