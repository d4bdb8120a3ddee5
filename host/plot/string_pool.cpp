// The pool behind internName.
#include "plot/string_pool.h"

#include <mutex>
#include <unordered_set>

namespace vx::plot {

const wchar_t* internName(const std::wstring& name) {
    static std::mutex mutex;
    static std::unordered_set<std::wstring> pool;
    std::lock_guard<std::mutex> lock(mutex);
    return pool.insert(name).first->c_str();
}

}  // namespace vx::plot
