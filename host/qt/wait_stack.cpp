#include "qt/wait_stack.h"

namespace vx::qt {

WaitStack& WaitStack::get() {
    static WaitStack stack;
    return stack;
}

}  // namespace vx::qt
