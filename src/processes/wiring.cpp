#include "processes/wiring.h"

#include "forms/form1.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"

namespace morvex::processes {

void WireProcesses(forms::Form1& form, KillList& killList) {
  form.Command1().onClick = [&form] { FillProcessCatalogue(form, form.List1()); };
  form.List1().onClick = [&form] {
    form.txtTargetTitle().SetText(form.List1().Text());
    form.cmduebernehmen().SetEnabled(true);
  };
  form.Command8().onClick = [&form, &killList] { FillKillListFromService(form, killList); };
  form.cmduebernehmen().onClick = [&form, &killList] { AddToKillList(form, killList); };
  form.cmdloeschen().onClick = [&form, &killList] { RemoveFromKillList(form, killList); };
  form.List2().onClick = [&form] { form.cmdloeschen().SetEnabled(true); };
}

}  // namespace morvex::processes
