#include "termination/process_tree.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "processes/protected_names.h"
#include "termination/texts.h"

namespace morvex::termination {

namespace {

// The processes of one snapshot with a handle on each that was looked at,
// opened once.
class Snapshot {
 public:
  explicit Snapshot(services::ProcessSnapshot& snapshot) : snapshot_(snapshot), listed_(snapshot.Processes()) {
    for (const services::ListedProcess& process : listed_) {
      byId_[process.id] = &process;
      children_.emplace(process.parentId, &process);
    }
  }

  const std::vector<services::ListedProcess>& Listed() const { return listed_; }
  const services::ListedProcess* Find(std::uint32_t id) const {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
  }
  // The processes that name `parent` as their parent and were created after
  // it; one whose creation time cannot be read is taken at its word.
  std::vector<const services::ListedProcess*> ChildrenOf(const services::ListedProcess& parent) {
    std::vector<const services::ListedProcess*> children;
    const std::optional<std::uint64_t> born = Created(parent.id);
    if (!born) return children;
    for (auto [it, end] = children_.equal_range(parent.id); it != end; ++it) {
      const services::ListedProcess* child = it->second;
      if (child->id == parent.id) continue;  // the idle process names itself
      const std::optional<std::uint64_t> childBorn = Created(child->id);
      if (!childBorn || *born <= *childBorn) children.push_back(child);
    }
    return children;
  }
  std::optional<std::uint64_t> Created(std::uint32_t id) {
    Handle(id);
    return created_[id];
  }
  std::unique_ptr<services::ProcessHandle>& Handle(std::uint32_t id) {
    if (!handles_.count(id)) {
      std::unique_ptr<services::ProcessHandle> handle = snapshot_.Open(id);
      created_[id] = handle ? handle->CreationTime() : std::nullopt;
      handles_[id] = std::move(handle);
    }
    return handles_[id];
  }

 private:
  services::ProcessSnapshot& snapshot_;
  const std::vector<services::ListedProcess> listed_;
  std::map<std::uint32_t, const services::ListedProcess*> byId_;
  std::multimap<std::uint32_t, const services::ListedProcess*> children_;
  std::map<std::uint32_t, std::unique_ptr<services::ProcessHandle>> handles_;
  std::map<std::uint32_t, std::optional<std::uint64_t>> created_;
};

const std::string* ChosenName(const std::vector<std::string>& names, const std::string& image) {
  for (const std::string& name : names) {
    if (processes::SameImageName(name, image)) return &name;
  }
  return nullptr;
}

}  // namespace

ProcessTree::ProcessTree(services::ProcessSnapshot& snapshot, const std::vector<std::string>& names,
                         std::uint32_t ownId) {
  if (names.empty()) return;
  Snapshot now(snapshot);

  // The program's own process and every process it descends from.
  std::set<std::uint32_t> above{ownId};
  for (const services::ListedProcess* process = now.Find(ownId); process;) {
    const services::ListedProcess* parent = now.Find(process->parentId);
    if (!parent || above.count(parent->id)) break;
    const std::vector<const services::ListedProcess*> children = now.ChildrenOf(*parent);
    if (std::find(children.begin(), children.end(), process) == children.end()) break;
    above.insert(parent->id);
    process = parent;
  }

  std::set<std::uint32_t> taken;
  for (const services::ListedProcess& root : now.Listed()) {
    const std::string* entry = ChosenName(names, root.imageName);
    if (!entry || above.count(root.id)) continue;
    std::vector<const services::ListedProcess*> open{&root};
    while (!open.empty()) {
      const services::ListedProcess* parent = open.back();
      open.pop_back();
      for (const services::ListedProcess* child : now.ChildrenOf(*parent)) {
        if (above.count(child->id) || ChosenName(names, child->imageName) ||
            processes::IsProtectedName(child->imageName) || !taken.insert(child->id).second) {
          continue;
        }
        descendants_.push_back({*entry, child->id, std::move(now.Handle(child->id))});
        // A process without a handle has no creation time to tell its own
        // children from strangers.
        if (descendants_.back().handle) open.push_back(child);
      }
    }
  }
}

void ProcessTree::EndDescendantsOf(const std::string& name) {
  for (Descendant& descendant : descendants_) {
    if (descendant.handle && descendant.entry == name) descendant.end = descendant.handle->End();
  }
}

ProcessTree::Outlived ProcessTree::Outliving(const std::string& name, const std::function<int()>& boundLeft,
                                             const std::vector<services::ListedProcess>& listed) {
  Outlived outlived;
  for (Descendant& descendant : descendants_) {
    if (descendant.entry != name) continue;
    if (descendant.handle ? descendant.handle->WaitForEnd(boundLeft())
                          : std::none_of(listed.begin(), listed.end(), [&](const services::ListedProcess& process) {
                              return process.id == descendant.id;
                            })) {
      continue;
    }
    ++outlived.count;
    if (descendant.end == services::HandleEnd::kAccessDenied) outlived.reason = kAccessDenied;
  }
  return outlived;
}

}  // namespace morvex::termination
