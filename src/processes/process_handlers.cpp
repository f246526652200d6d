#include "processes/process_handlers.h"

#include "app/form1.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"

namespace morvex::processes {

void WireProcesses(app::Form1& form) {
  form.Command1().onClick = [&form] { FillProcessCatalogue(form, form.List1()); };
  form.List1().onClick = [&form] {
    form.txtTargetTitle().SetText(form.List1().Text());
    form.cmduebernehmen().SetEnabled(true);
  };
  form.Command8().onClick = [&form] { FillKillListFromService(form); };
  form.cmduebernehmen().onClick = [&form] { AddToKillList(form); };
  form.cmdloeschen().onClick = [&form] { RemoveFromKillList(form); };
  form.List2().onClick = [&form] { form.cmdloeschen().SetEnabled(true); };
}

}  // namespace morvex::processes
