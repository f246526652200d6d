#include "processes/killlist.h"

#include <utility>
#include <vector>

#include "app/form1.h"
#include "processes/messages.h"

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

void AppendKillList(app::Form1& form, KillListFile& file) {
  std::vector<std::string> entries;
  while (!file.AtEnd()) entries.push_back(file.ReadField());
  form.List2().AddItems(entries);
  // A file that could be read only in part is not overwritten with the part
  // until the user changes the list.
  form.keepUnreadKillListFile = file.IsOpen() && !file.ReadWhole();
}

void LoadKillList(app::Form1& form) {
  KillListFile file(form.Svc());
  AppendKillList(form, file);
}

void SaveKillList(app::Form1& form) {
  if (form.keepUnreadKillListFile) return;
  services::Services& svc = form.Svc();
  const ui::ListBox& list = form.List2();
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(list.ListCount()));
  for (int i = 0; i < list.ListCount(); ++i) entries.push_back(svc.codePage.ToAnsi(list.List(i)));
  const std::string path = KillListPath(svc.files);
  const services::FileResult result = svc.files.Replace(path, SerializeKillList(entries));
  if (!result.ok) svc.messages.Show(KillListNotSavedText(path, result.error), kNotSavedTitle, services::kCritical);
}

void AddToKillList(app::Form1& form) {
  const ui::ListBox& catalogue = form.List1();
  ui::ListBox& killList = form.List2();
  const std::string name = catalogue.Text();
  if (killList.FindExact(name) >= 0) {
    form.Svc().messages.Show(kAlreadyListed, app::kAppTitle, services::kOkOnly);
  } else {
    for (int i = 0; i < catalogue.ListCount(); ++i) {
      // A name that ends in a backslash is never copied.
      if (catalogue.Selected(i) && (name.empty() || name.back() != '\\')) {
        killList.AddItem(name);
        form.keepUnreadKillListFile = false;
      }
    }
  }
  SaveKillList(form);
}

void RemoveFromKillList(app::Form1& form) {
  ui::ListBox& killList = form.List2();
  // A removed entry's successor moves up into its position, which is
  // therefore looked at again.
  for (int position = 0; position < killList.ListCount();) {
    if (killList.Selected(position)) {
      killList.RemoveItem(position);
      form.keepUnreadKillListFile = false;
    } else {
      ++position;
    }
  }
  SaveKillList(form);
  form.cmdloeschen().SetEnabled(false);
}

}  // namespace morvex::processes
