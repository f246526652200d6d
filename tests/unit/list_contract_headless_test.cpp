#include "contract/list_contract.h"
#include "ui/headless.h"

namespace morvex::contract {
namespace {

ListRig Headless() {
  return {std::make_unique<ui::HeadlessBackend>(),
          [](ui::ListBox& list, int position, bool ctrl) {
            ui::HeadlessBackend::PeerOf(list).UserSelect(position, ctrl);
            list.UserClicked();
          }};
}

INSTANTIATE_TEST_SUITE_P(Headless, ListContract, ::testing::Values(&Headless));

}  // namespace
}  // namespace morvex::contract
