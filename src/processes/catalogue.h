// The catalogue of running processes (List1) and the kill list filled from
// the management service.
#pragma once

namespace morvex::ui {
class ListBox;
}

namespace morvex::forms {
class Form1;
}

namespace morvex::processes {

class KillList;

// Empties the list box, then appends the image name of every running process
// in snapshot order. No snapshot leaves the list empty, without a message.
void FillProcessCatalogue(forms::Form1& form, ui::ListBox& list);

// Replaces the entries of List2 with the image name of every process the
// management service reports, but for those Windows needs. When the query fails, List2 keeps its entries
// and the user is told. List2.txt is not written here.
void FillKillListFromService(forms::Form1& form, KillList& killList);

}  // namespace morvex::processes
