#include "processes/killlist.h"

#include <optional>
#include <utility>
#include <vector>

#include "forms/parts.h"
#include "forms/texts.h"
#include "processes/killlist_format.h"
#include "processes/protected_names.h"
#include "processes/texts.h"
#include "services/services.h"
#include "ui/controls.h"

namespace morvex::processes {

std::string KillListPath(services::Files& files) { return services::InFolder(files.AppFolder(), "List2.txt"); }

KillListFile::KillListFile(services::Services& services, bool tellFailure) {
  const std::string path = KillListPath(services.files);
  if (!services.files.IsOrdinaryFile(path)) return;
  open_ = true;
  const services::ReadResult result = services.files.Read(path);
  if (!result.ok) {
    everyEntry_ = false;
    readError_ = result.error;
    if (tellFailure) services.messages.Show(KillListNotReadText(path, result.error), kNotReadTitle, services::kCritical);
  }
  const DecodedKillList decoded = DecodeKillListFile(result.bytes);
  const bool ansi = decoded.encoding == KillListEncoding::kAnsi;
  for (std::string& field : ParseKillList(decoded.text)) {
    if (field.find('\0') != std::string::npos) {
      everyEntry_ = false;
      continue;
    }
    entries_.push_back(ansi ? services.codePage.FromAnsi(field) : std::move(field));
  }
}

std::string KillListFile::ReadField() { return AtEnd() ? std::string() : std::move(entries_[next_++]); }

void KillList::AppendKillList(KillListFile& file) {
  std::vector<std::string> entries;
  while (!file.AtEnd()) entries.push_back(file.ReadField());
  list_.AddItems(entries);
  keepUnreadFile_ = file.IsOpen() && !file.GivesEveryEntry();
}

void KillList::LoadKillList() {
  KillListFile file(services_);
  AppendKillList(file);
}

std::vector<std::string> KillList::Entries() const {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(list_.ListCount()));
  for (int i = 0; i < list_.ListCount(); ++i) entries.push_back(list_.List(i));
  return entries;
}

namespace {

// The bytes of List2.txt: in the ANSI code page, as the file has always been
// kept, whenever every entry fits it exactly; else in UTF-8 after its
// byte-order mark, so that no name is lost.
std::string KillListFileBytes(const std::vector<std::string>& entries, services::CodePage& codePage) {
  std::vector<std::string> ansi;
  ansi.reserve(entries.size());
  for (const std::string& entry : entries) {
    std::optional<std::string> exact = codePage.ToAnsiExactly(entry);
    if (!exact) return std::string(kUtf8Bom) + SerializeKillList(entries);
    ansi.push_back(*std::move(exact));
  }
  return SerializeKillList(ansi);
}

// A replace refused for a moment is tried again after a pause, for at most
// this long in all (on the elapsed-time clock, and never more tries than the
// pauses allow); only a refusal that lasts is told.
constexpr std::int64_t kReplaceRetryMs = 500;
constexpr int kReplaceRetryPauseMs = 50;

services::FileResult ReplaceRetried(services::Services& services, const std::string& path, const std::string& bytes) {
  services::FileResult result = services.files.Replace(path, bytes);
  if (result.ok || !result.momentary) return result;
  const std::int64_t refusedAt = services.clock.Elapsed();
  for (int retries = kReplaceRetryMs / kReplaceRetryPauseMs;
       retries > 0 && services.clock.Elapsed() - refusedAt + kReplaceRetryPauseMs <= kReplaceRetryMs; --retries) {
    services.pause.Sleep(kReplaceRetryPauseMs);
    result = services.files.Replace(path, bytes);
    if (result.ok || !result.momentary) break;
  }
  return result;
}

}  // namespace

void KillList::SaveKillList() {
  if (keepUnreadFile_) return;
  const std::string path = KillListPath(services_.files);
  const services::FileResult result = ReplaceRetried(services_, path, KillListFileBytes(Entries(), services_.codePage));
  lastSaveFailed_ = !result.ok;
  if (!result.ok) {
    services_.messages.Show(KillListNotSavedText(path, result.error), forms::kNotSavedTitle, services::kCritical);
  }
}

std::string KillList::RestoreAfterRun(const std::vector<std::string>& shownBefore) {
  list_.Clear();
  std::string readError;
  if (!keepUnreadFile_ && !lastSaveFailed_) {
    // A reload that does not give every entry (the file is held open by
    // another program, or has gone) would lose the rest at the next save:
    // the list shown before the run stands instead, and the failure is told
    // once the run is over, not in its middle.
    KillListFile file(services_, false);
    if (file.IsOpen() && file.GivesEveryEntry()) {
      AppendKillList(file);
      return {};
    }
    readError = file.ReadError();
  }
  list_.AddItems(shownBefore);
  return readError;
}

void KillList::TellNotRead(const std::string& reason) {
  services_.messages.Show(KillListNotReadText(KillListPath(services_.files), reason), kNotReadTitle,
                          services::kCritical);
}

void KillList::Add(const std::string& name) {
  list_.AddItem(name);
  keepUnreadFile_ = false;
}

void KillList::RemoveSelected() {
  // A removed entry's successor moves up into its position, which is
  // therefore looked at again.
  for (int position = 0; position < list_.ListCount();) {
    if (list_.Selected(position)) {
      list_.RemoveItem(position);
      keepUnreadFile_ = false;
    } else {
      ++position;
    }
  }
}

void KillList::Replace(const std::vector<std::string>& names) {
  list_.Clear();
  list_.AddItems(names);
  keepUnreadFile_ = false;
}

bool KillList::Holds(const std::string& name) const { return list_.FindExact(name) >= 0; }

void AddToKillList(const ui::ListBox& catalogue, services::Services& services, KillList& killList) {
  const std::string name = catalogue.Text();
  if (IsProtectedName(name)) {
    services.messages.Show(ProtectedNameText(name), kProtectedNameTitle, services::kExclamation);
  } else if (killList.Holds(name)) {
    services.messages.Show(kAlreadyListed, forms::kAppTitle, services::kOkOnly);
  } else {
    for (int i = 0; i < catalogue.ListCount(); ++i) {
      // A name that ends in a backslash is never copied.
      if (catalogue.Selected(i) && (name.empty() || name.back() != '\\')) killList.Add(name);
    }
  }
  killList.SaveKillList();
}

void RemoveFromKillList(forms::KillListPart& part, KillList& killList) {
  killList.RemoveSelected();
  killList.SaveKillList();
  part.remove.SetEnabled(false);
}

}  // namespace morvex::processes
