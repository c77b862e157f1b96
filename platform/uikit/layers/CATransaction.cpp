#include "platform/uikit/layers/CATransaction.h"

#include <vector>

namespace uikit {
namespace {

// One entry per open transaction: its disable-actions flag.
std::vector<bool>& stack() {
    static std::vector<bool> s;
    return s;
}

}  // namespace

void CATransaction::begin() { stack().push_back(disableActions()); }
void CATransaction::commit() {
    if (!stack().empty()) stack().pop_back();
}
bool CATransaction::disableActions() { return !stack().empty() && stack().back(); }
void CATransaction::setDisableActions(bool disable) {
    if (!stack().empty()) stack().back() = disable;
}
int CATransaction::depth() { return int(stack().size()); }

}  // namespace uikit
