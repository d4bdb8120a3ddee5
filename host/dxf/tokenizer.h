// DXF text to tags.
#pragma once

#include <string>
#include <vector>

#include "db/store.h"

namespace vx::dxf {

struct TokenizeResult {
    size_t badLine = 0;          // line of an unreadable group code (0: none)
    std::string badText;
    size_t truncatedLine = 0;    // a group code without its value at the end
    bool endsWithoutNewline = false;
    bool stopped = false;        // the read's progress listener asked to stop
};

// Appends the tags of buf (from `start`, after a BOM) to `tags`. The code line of tag i is
// line 2i+1 of the file. False on a group code that is not a number, or when the read's
// progress listener (db/read_progress.h) asks to stop.
bool tokenize(const std::string& buf, size_t start, std::vector<vx::db::Tag>& tags, TokenizeResult& r);

// Position just after the value line of a tag (its line end included).
inline uint32_t tagEnd(const vx::db::Store& st, const vx::db::Tag& t) {
    const std::string& buf = st.buffer;
    size_t e = size_t(t.off) + st.value(t).size();
    if (e < buf.size() && buf[e] == '\r') ++e;
    if (e < buf.size() && buf[e] == '\n') ++e;
    return static_cast<uint32_t>(e);
}

// Where the record whose first tag is `first` starts: its code line. (The end of the tag before
// it, except where the reader spliced in records of its own.)
inline uint32_t recordStart(const vx::db::Store& st, size_t first) {
    const vx::db::Tag& t = st.tags[first];
    size_t codeEnd = t.off > 0 ? t.off - 1 : 0;  // the '\n' after the code line
    size_t nl = codeEnd > 0 ? st.buffer.rfind('\n', codeEnd - 1) : std::string::npos;
    // The file's first record keeps what stands before it (a byte order mark).
    if (nl == std::string::npos || (first == 0 && nl < 4)) return 0;
    return static_cast<uint32_t>(nl + 1);
}

}  // namespace vx::dxf
