#include "ui/resource_stack.h"

#include <vector>

namespace vx::ui {
namespace {
std::vector<HINSTANCE>& stack() {
    static std::vector<HINSTANCE> s;
    return s;
}
}  // namespace

void pushResourceHandle(HINSTANCE instance) { stack().push_back(instance); }

void popResourceHandle() {
    if (!stack().empty()) stack().pop_back();
}

void replaceResourceHandle(HINSTANCE instance) {
    if (stack().empty()) stack().push_back(instance);
    else stack().back() = instance;
}

size_t resourceStackDepth() { return stack().size(); }

HINSTANCE currentResourceHandle() { return stack().empty() ? nullptr : stack().back(); }

}  // namespace vx::ui
