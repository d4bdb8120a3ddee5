// Splits DXF text into tags: (group code, value bytes) views into the buffer, no copies.
#include <cstring>

#include "db/read_progress.h"
#include "dxf/tokenizer.h"

namespace vx::dxf {

namespace {
constexpr size_t kReportEvery = 1 << 20;

bool parseCode(const char* p, const char* e, int& code) {
    while (p < e && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
    while (e > p && (e[-1] == ' ' || e[-1] == '\t' || e[-1] == '\r')) --e;
    if (p == e) return false;
    bool neg = false;
    if (*p == '-') { neg = true; ++p; }
    if (p == e || e - p > 6) return false;
    int v = 0;
    for (; p < e; ++p) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + (*p - '0');
    }
    code = neg ? -v : v;
    return true;
}
}  // namespace

bool tokenize(const std::string& buf, size_t start, std::vector<vx::db::Tag>& tags, TokenizeResult& r) {
    const char* base = buf.data();
    const char* p = base + start;
    const char* end = base + buf.size();
    // Two lines per tag: counting them first avoids growing (and doubling) a huge vector.
    size_t lines = 0;
    for (const char* q = p; q < end;) {
        const char* nl = static_cast<const char*>(std::memchr(q, '\n', static_cast<size_t>(end - q)));
        if (!nl) break;
        ++lines;
        q = nl + 1;
    }
    tags.reserve(tags.size() + lines / 2 + 1);
    size_t line = 1;
    // Splitting is the second of the read's three passes over the bytes.
    const uint64_t total = 3 * uint64_t(buf.size());
    size_t nextReport = start + kReportEvery;
    while (p < end) {
        if (static_cast<size_t>(p - base) >= nextReport) {
            nextReport += kReportEvery;
            if (!vx::db::reportRead(buf.size() + static_cast<uint64_t>(p - base), total)) {
                r.stopped = true;
                return false;
            }
        }
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        const char* codeEnd = nl ? nl : end;
        int code = 0;
        if (!parseCode(p, codeEnd, code)) {
            // Blank lines after the last tag are not an error.
            bool blank = true;
            for (const char* q = p; q < end && blank; ++q) blank = *q == ' ' || *q == '\t' || *q == '\r' || *q == '\n';
            if (blank) break;
            r.badLine = line;
            r.badText.assign(p, static_cast<size_t>(std::min<ptrdiff_t>(codeEnd - p, 40)));
            return false;
        }
        if (!nl) {
            r.truncatedLine = line;
            break;
        }
        const char* v = nl + 1;
        const char* vnl = v < end ? static_cast<const char*>(std::memchr(v, '\n', static_cast<size_t>(end - v))) : nullptr;
        const char* vend = vnl ? vnl : end;
        if (v >= end) {
            r.truncatedLine = line;
            break;
        }
        const char* ve = vend;
        if (ve > v && ve[-1] == '\r') --ve;
        if (code < -32768 || code > 32767) {
            r.badLine = line;
            r.badText = std::to_string(code);
            return false;
        }
        size_t len = static_cast<size_t>(ve - v);
        tags.push_back({static_cast<int16_t>(code), static_cast<uint16_t>(len < vx::db::kLongValue ? len : vx::db::kLongValue),
                        static_cast<uint32_t>(v - base)});
        line += 2;
        if (!vnl) {
            r.endsWithoutNewline = true;
            break;
        }
        p = vnl + 1;
    }
    return true;
}

}  // namespace vx::dxf
