// Progress of reading a drawing, for a host that reads on a worker thread and shows a bar.
// The listener belongs to the thread that installs it: a read on another thread never hears it
// and never waits for it.
#pragma once

#include <cstdint>
#include <functional>

namespace vx::db {

// `done` of `total` units: the file's bytes are passed three times (read from disk, split into
// tags, built into objects), so total is three times the file's size. Answering false stops the
// read: it fails with eUserBreak and the database stays as it was.
using ReadProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Installs a listener for reads on this thread while it lives (scopes nest).
class ReadProgressScope {
public:
    explicit ReadProgressScope(ReadProgress listener);
    ~ReadProgressScope();
    ReadProgressScope(const ReadProgressScope&) = delete;
    ReadProgressScope& operator=(const ReadProgressScope&) = delete;

private:
    ReadProgress m_previous;
};

// The reader's side. Tells the listener when the work moved by at least a thousandth; false
// once the listener asked to stop (and from then on). Cheap without a listener.
bool reportRead(uint64_t done, uint64_t total);
// Whether the listener of this thread asked the current read to stop.
bool readStopped();
// Forgets a stop and the last report: called when a read begins.
void beginRead();

}  // namespace vx::db
