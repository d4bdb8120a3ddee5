// Temporary file names tied to their target and their maker, and the removal of those that a
// killed run left behind (a killed save of a large drawing would otherwise leave its size on
// the disk for good).
#include "win32/temporary_files.h"

#include <dirent.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "win32/paths.h"
#include "win32/safe_file.h"

namespace vx::win32 {
namespace {

// Another machine's process cannot be asked whether it still runs; a temporary file of its
// that nobody has written to for this long is taken as abandoned.
constexpr time_t kAbandonedAfterSeconds = 24 * 60 * 60;
// A file name may hold 255 bytes; longer target names are shortened so the suffix still fits.
constexpr size_t kLongestTargetName = 200;
constexpr size_t kShortenedTargetName = 183;

uint64_t fnv1a(const std::string& s) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string hex(uint64_t v, int digits) {
    if (digits < 16) v &= (uint64_t{1} << (4 * digits)) - 1;
    char buf[17];
    std::snprintf(buf, sizeof buf, "%0*llx", digits, static_cast<unsigned long long>(v));
    return buf;
}

std::string hostName() {
    char buf[HOST_NAME_MAX + 1] = {};
    if (gethostname(buf, sizeof buf - 1) != 0) return std::string();
    return buf;
}

std::string bootId() {
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint64_t randomBits() {
    uint64_t v = 0;
    if (getrandom(&v, sizeof v, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof v)) return v;
    // No entropy yet (early boot): time and a counter still make the name unique, and the
    // exclusive creation refuses a name that exists.
    static std::atomic<uint64_t> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return fnv1a(std::to_string(now) + "." + std::to_string(counter++));
}

// The target's name as the temporary files carry it.
std::string targetTag(const std::string& name) {
    if (name.size() <= kLongestTargetName) return name;
    size_t cut = kShortenedTargetName;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;  // whole characters
    return name.substr(0, cut) + "~" + hex(fnv1a(name), 16);
}

bool lowerHex(const std::string& s, size_t from, size_t count) {
    if (from + count > s.size()) return false;
    for (size_t i = from; i < from + count; ++i)
        if (!((s[i] >= '0' && s[i] <= '9') || (s[i] >= 'a' && s[i] <= 'f'))) return false;
    return true;
}

bool processHasEnded(long pid) {
    if (pid <= 0 || pid > INT_MAX) return false;
    // EPERM: it runs under another user, so it is alive.
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool isStale(const TemporaryOrigin& o, const struct stat& st) {
    const TemporaryOrigin me = thisProcess();
    if (o.machine != me.machine) return std::time(nullptr) - st.st_mtime >= kAbandonedAfterSeconds;
    if (o.boot != me.boot) return true;  // nothing of an earlier boot still runs
    if (o.pid == me.pid) return false;
    return processHasEnded(o.pid);
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

}  // namespace

TemporaryOrigin thisProcess() {
    static const std::string machine = hex(fnv1a(hostName()), 8);
    static const std::string boot = hex(fnv1a(bootId()), 8);
    // The pid is asked every time: a forked child keeps the statics but not the pid.
    return {static_cast<long>(getpid()), machine, boot};
}

std::string temporaryPrefix(const std::string& native) {
    return "." + targetTag(lastComponent(native)) + ".vxtmp.";
}

std::string temporaryName(const std::string& native, const TemporaryOrigin& origin) {
    return parentFolder(native) + "/" + temporaryPrefix(native) + std::to_string(origin.pid) + "." +
           origin.machine + "." + origin.boot + "." + hex(randomBits(), 16);
}

bool parseTemporaryName(const std::string& name, const std::string& prefix, TemporaryOrigin& origin) {
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    size_t pos = prefix.size();
    size_t digits = 0;
    while (pos + digits < name.size() && digits < 11 && name[pos + digits] >= '0' && name[pos + digits] <= '9')
        ++digits;
    if (digits == 0 || pos + digits >= name.size() || name[pos + digits] != '.') return false;
    const std::string pid = name.substr(pos, digits);
    pos += digits + 1;
    // machine(8) '.' boot(8) '.' random(16), and nothing after.
    if (name.size() != pos + 8 + 1 + 8 + 1 + 16 || !lowerHex(name, pos, 8) || name[pos + 8] != '.' ||
        !lowerHex(name, pos + 9, 8) || name[pos + 17] != '.' || !lowerHex(name, pos + 18, 16))
        return false;
    origin.pid = std::stol(pid);
    origin.machine = name.substr(pos, 8);
    origin.boot = name.substr(pos + 9, 8);
    return true;
}

size_t removeStaleTemporaries(const std::string& native) {
    const std::string folder = parentFolder(native);
    const std::string prefix = temporaryPrefix(native);
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return 0;
    size_t removed = 0;
    while (const dirent* e = readdir(dir.get())) {
        TemporaryOrigin origin;
        if (!parseTemporaryName(e->d_name, prefix, origin)) continue;
        const std::string path = folder + "/" + e->d_name;
        struct stat st;
        // Only files, as SafeFile makes them; whatever else carries such a name is not ours.
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !isStale(origin, st)) continue;
        if (::unlink(path.c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace vx::win32
