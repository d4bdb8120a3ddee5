#include "db/read_progress.h"

#include <utility>

namespace vx::db {
namespace {

struct ThreadState {
    ReadProgress listener;
    uint64_t lastStep = UINT64_MAX;
    bool stopped = false;
};

thread_local ThreadState t_state;

}  // namespace

ReadProgressScope::ReadProgressScope(ReadProgress listener) : m_previous(std::move(t_state.listener)) {
    t_state.listener = std::move(listener);
    beginRead();
}

ReadProgressScope::~ReadProgressScope() {
    t_state.listener = std::move(m_previous);
    beginRead();
}

bool reportRead(uint64_t done, uint64_t total) {
    ThreadState& s = t_state;
    if (s.stopped) return false;
    if (!s.listener || total == 0) return true;
    if (done > total) done = total;
    const uint64_t step = done * 1000 / total;
    if (step == s.lastStep) return true;
    s.lastStep = step;
    if (!s.listener(done, total)) s.stopped = true;
    return !s.stopped;
}

bool readStopped() { return t_state.stopped; }

void beginRead() {
    t_state.stopped = false;
    t_state.lastStep = UINT64_MAX;
}

}  // namespace vx::db
