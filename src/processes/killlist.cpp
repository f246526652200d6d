#include "processes/killlist.h"

#include <utility>
#include <vector>

#include "forms/form1.h"
#include "processes/protected_names.h"
#include "processes/texts.h"

namespace morvex::processes {

std::string KillListPath(services::Files& files) { return files.AppFolder() + "\\List2.txt"; }

KillListFile::KillListFile(services::Services& services) : codePage_(services.codePage), reader_({}) {
  const std::string path = KillListPath(services.files);
  if (!services.files.IsOrdinaryFile(path)) return;
  open_ = true;
  services::ReadResult result = services.files.Read(path);
  bytes_ = std::move(result.bytes);
  reader_ = KillListReader(bytes_);
  if (!result.ok) {
    readWhole_ = false;
    services.messages.Show(KillListNotReadText(path, result.error), kNotReadTitle, services::kCritical);
  }
}

std::string KillListFile::ReadField() { return codePage_.FromAnsi(reader_.ReadField()); }

void KillList::AppendKillList(KillListFile& file) {
  std::vector<std::string> entries;
  while (!file.AtEnd()) entries.push_back(file.ReadField());
  list_.AddItems(entries);
  keepUnreadFile_ = file.IsOpen() && !file.ReadWhole();
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

void KillList::SaveKillList() {
  if (keepUnreadFile_) return;
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(list_.ListCount()));
  for (int i = 0; i < list_.ListCount(); ++i) entries.push_back(services_.codePage.ToAnsi(list_.List(i)));
  const std::string path = KillListPath(services_.files);
  const services::FileResult result = services_.files.Replace(path, SerializeKillList(entries));
  lastSaveFailed_ = !result.ok;
  if (!result.ok) {
    services_.messages.Show(KillListNotSavedText(path, result.error), kNotSavedTitle, services::kCritical);
  }
}

void KillList::RestoreAfterRun(const std::vector<std::string>& shownBefore) {
  const bool fileHoldsList = !keepUnreadFile_ && !lastSaveFailed_;
  list_.Clear();
  if (fileHoldsList) {
    LoadKillList();
  } else {
    list_.AddItems(shownBefore);
  }
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

void AddToKillList(forms::Form1& form, KillList& killList) {
  const ui::ListBox& catalogue = form.List1();
  const std::string name = catalogue.Text();
  if (IsProtectedName(name)) {
    form.Svc().messages.Show(ProtectedNameText(name), kProtectedNameTitle, services::kExclamation);
  } else if (form.List2().FindExact(name) >= 0) {
    form.Svc().messages.Show(kAlreadyListed, forms::kAppTitle, services::kOkOnly);
  } else {
    for (int i = 0; i < catalogue.ListCount(); ++i) {
      // A name that ends in a backslash is never copied.
      if (catalogue.Selected(i) && (name.empty() || name.back() != '\\')) killList.Add(name);
    }
  }
  killList.SaveKillList();
}

void RemoveFromKillList(forms::Form1& form, KillList& killList) {
  killList.RemoveSelected();
  killList.SaveKillList();
  form.cmdloeschen().SetEnabled(false);
}

}  // namespace morvex::processes
