// The processes a run ends beyond those its names match: every process that
// descends from a process of a chosen name, as the parents' identifiers link
// them, in any session. The tree is taken from one snapshot before anything
// is ended, since a process's children are found only through it while it
// runs, and a handle is opened on each descendant at once: the handle names
// that process whatever becomes of its identifier. A parent created after
// its child is no parent (the identifier was given anew); a descendant whose
// handle cannot be opened is not ended but named in the report while it
// runs.
//
// Never in a tree: the program's own process, whatever it started (the
// run's own TASKKILL among them), a process of a chosen name (it is ended by
// its own name), a process Windows needs, and any process of a tree the
// program itself descends from: such a tree is left alone.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/processes.h"

namespace morvex::termination {

class ProcessTree {
 public:
  // Takes the snapshot: the descendants of every process whose image name is
  // one of `names` (letter case ignored), `ownId` being the program's own
  // process.
  ProcessTree(services::ProcessSnapshot& snapshot, const std::vector<std::string>& names, std::uint32_t ownId);

  // Ends through its own handle each descendant of the name's processes.
  void EndDescendantsOf(const std::string& name);

  // What became of the name's descendants: how many outlived their end and
  // the reason where one is known.
  struct Outlived {
    int count = 0;
    std::string reason;
  };
  // Each descendant of the name is waited for through its handle, for at
  // most what `boundLeft` gives; one without a handle outlived it while
  // `listed` (a snapshot after the run) names its identifier.
  Outlived Outliving(const std::string& name, const std::function<int()>& boundLeft,
                     const std::vector<services::ListedProcess>& listed);

 private:
  struct Descendant {
    std::string entry;  // the chosen name of the process it descends from
    std::uint32_t id = 0;
    std::unique_ptr<services::ProcessHandle> handle;  // null where none could be opened
    services::HandleEnd end = services::HandleEnd::kEnded;
  };
  std::vector<Descendant> descendants_;
};

}  // namespace morvex::termination
