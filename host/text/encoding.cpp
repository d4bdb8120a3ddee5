// UTF-8 and UTF-16LE are coded here directly (they cannot fail on valid input); legacy code
// pages go through iconv, whose descriptors are cached per code page.
#include "text/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>

#include "text/plausibility.h"

namespace vx::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool validScalar(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void appendUtf8(std::string& out, char32_t c) {
    if (!validScalar(c)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at bytes[i]; returns its length, 0 when invalid there.
size_t decodeUtf8At(std::string_view b, size_t i, char32_t& c) {
    const auto u = [&](size_t k) { return static_cast<unsigned char>(b[k]); };
    unsigned char lead = u(i);
    if (lead < 0x80) { c = lead; return 1; }
    size_t len;
    char32_t min;
    if ((lead & 0xE0) == 0xC0) { len = 2; c = lead & 0x1F; min = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { len = 3; c = lead & 0x0F; min = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { len = 4; c = lead & 0x07; min = 0x10000; }
    else return 0;
    if (i + len > b.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((u(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (u(i + k) & 0x3F);
    }
    if (c < min || !validScalar(c)) return 0;
    return len;
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvPtr = std::unique_ptr<void, IconvCloser>;

// Cached converters; nullptr in the map means the code page is unknown to iconv. A descriptor
// keeps conversion state and must never be used by two threads at once (drawings are read on
// worker threads while the GUI thread decodes), so each thread has converters of its own.
iconv_t converter(const std::string& to, const std::string& from) {
    thread_local std::map<std::pair<std::string, std::string>, IconvPtr> cache;
    auto key = std::make_pair(to, from);
    auto it = cache.find(key);
    if (it == cache.end()) {
        iconv_t cd = iconv_open(to.c_str(), from.c_str());
        IconvPtr p(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
        it = cache.emplace(key, std::move(p)).first;
    }
    iconv_t cd = static_cast<iconv_t>(it->second.get());
    if (cd) iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    return cd;
}

std::string& ansiName() {
    static std::string name = [] {
        const char* env = std::getenv("VX_ANSI_CODEPAGE");
        return std::string(env && *env ? env : "GBK");
    }();
    return name;
}

}  // namespace

bool isValidUtf8(std::string_view b) {
    char32_t c;
    for (size_t i = 0; i < b.size();) {
        size_t n = decodeUtf8At(b, i, c);
        if (!n) return false;
        i += n;
    }
    return true;
}

std::wstring fromUtf8(std::string_view b, bool* lossy) {
    std::wstring out;
    out.reserve(b.size());
    char32_t c;
    for (size_t i = 0; i < b.size();) {
        size_t n = decodeUtf8At(b, i, c);
        if (!n) {
            c = kReplacement;
            n = 1;
            if (lossy) *lossy = true;
        }
        out += static_cast<wchar_t>(c);
        i += n;
    }
    return out;
}

std::string toUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t w : text) appendUtf8(out, static_cast<char32_t>(w));
    return out;
}

std::wstring fromUtf16LE(std::string_view b, bool* lossy) {
    std::wstring out;
    out.reserve(b.size() / 2);
    const auto unit = [&](size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(b[i]) |
                                     (static_cast<unsigned char>(b[i + 1]) << 8));
    };
    size_t i = 0;
    for (; i + 1 < b.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < b.size()) {
            char32_t lo = unit(i + 2);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                out += static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
            if (lossy) *lossy = true;
        }
        out += static_cast<wchar_t>(c);
    }
    if (i < b.size()) {  // odd trailing byte
        out += static_cast<wchar_t>(kReplacement);
        if (lossy) *lossy = true;
    }
    return out;
}

std::string toUtf16LE(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    const auto put = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    for (wchar_t w : text) {
        char32_t c = static_cast<char32_t>(w);
        if (!validScalar(c)) c = kReplacement;
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

namespace {

// Decodes through iconv; a byte that does not decode becomes U+FFFD, or ends the work (false)
// when `stopAtError`, for callers that only want a clean reading.
bool decodeCodePage(std::string_view b, iconv_t cd, bool stopAtError, std::wstring& out) {
    bool clean = true;
    out.clear();
    out.reserve(b.size());
    size_t pos = 0;
    char buf[4096];
    while (pos < b.size()) {
        char* in = const_cast<char*>(b.data() + pos);
        size_t inLeft = b.size() - pos;
        char* o = buf;
        size_t oLeft = sizeof buf;
        size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        int err = errno;
        for (char* p = buf; p + 4 <= o; p += 4) {
            uint32_t c = static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8) |
                         (static_cast<unsigned char>(p[2]) << 16) |
                         (static_cast<uint32_t>(static_cast<unsigned char>(p[3])) << 24);
            out += static_cast<wchar_t>(c);
        }
        pos = static_cast<size_t>(in - b.data());
        if (r == static_cast<size_t>(-1) && err != E2BIG) {
            // EILSEQ or EINVAL (truncated sequence): one replacement per bad byte.
            clean = false;
            if (stopAtError) return false;
            out += static_cast<wchar_t>(kReplacement);
            ++pos;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return clean;
}

}  // namespace

std::wstring fromCodePage(std::string_view b, const std::string& codePage, bool* lossy) {
    iconv_t cd = converter("UTF-32LE", codePage);
    if (!cd) {  // unknown code page: keep the text readable rather than losing it
        if (lossy) *lossy = true;
        return fromUtf8(b, nullptr);
    }
    std::wstring out;
    if (!decodeCodePage(b, cd, false, out) && lossy) *lossy = true;
    return out;
}

bool toCodePage(std::wstring_view text, const std::string& codePage, std::string& out) {
    out.clear();
    iconv_t cd = converter(codePage, "UTF-32LE");
    if (!cd) {
        out = toUtf8(text);
        return false;
    }
    bool ok = true;
    out.reserve(text.size() * 2);
    char buf[16];
    for (wchar_t w : text) {
        uint32_t c = static_cast<uint32_t>(w);
        char in4[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                       static_cast<char>((c >> 16) & 0xFF), static_cast<char>((c >> 24) & 0xFF)};
        char* in = in4;
        size_t inLeft = 4;
        char* o = buf;
        size_t oLeft = sizeof buf;
        if (iconv(cd, &in, &inLeft, &o, &oLeft) == static_cast<size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out += '?';
            ok = false;
            continue;
        }
        out.append(buf, static_cast<size_t>(o - buf));
    }
    return ok;
}

std::wstring fromAnsi(std::string_view b, bool* lossy) { return fromCodePage(b, ansiName(), lossy); }
bool toAnsi(std::wstring_view text, std::string& out) { return toCodePage(text, ansiName(), out); }

const std::string& ansiCodePage() { return ansiName(); }
void setAnsiCodePage(const std::string& iconvName) { ansiName() = iconvName; }

namespace {

bool hasHighBytes(std::string_view b) {
    for (char c : b)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// For valid UTF-8: whether it is UTF-8 rather than text in `codePage`, the reading chosen
// left in `text` when given.
bool utf8RatherThan(std::string_view b, const std::string& codePage, std::wstring* text) {
    std::wstring asCodePage;
    iconv_t cd = converter("UTF-32LE", codePage);
    if (!cd || !decodeCodePage(b, cd, true, asCodePage)) {
        if (text) *text = fromUtf8(b);
        return true;
    }
    std::wstring asUtf8 = fromUtf8(b);
    const bool utf8 = utf8ReadsBetter(asUtf8, asCodePage);
    if (text) *text = std::move(utf8 ? asUtf8 : asCodePage);
    return utf8;
}

// The file rule; decodes into `text` when given, so a caller that needs both pays once.
Encoding classify(std::string_view b, std::wstring* text, bool* lossy) {
    if (b.size() >= 2 && b[0] == '\xFF' && b[1] == '\xFE') {
        if (text) *text = fromUtf16LE(b.substr(2), lossy);
        return Encoding::Utf16LE;
    }
    if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") {
        if (text) *text = fromUtf8(b.substr(3), lossy);
        return Encoding::Utf8Bom;
    }
    if (!hasHighBytes(b)) {  // ASCII reads the same in every ANSI code page of the platform
        if (text) text->assign(b.begin(), b.end());
        return Encoding::Ansi;
    }
    if (!isValidUtf8(b)) {
        if (text) *text = fromAnsi(b, lossy);
        return Encoding::Ansi;
    }
    // Bytes that are valid UTF-8 may still be the ANSI text the platform takes them for
    // ("暖通" in GBK is C5 AF CD A8, also "ůͨ" in UTF-8): UTF-8 only when the ANSI reading
    // fails or makes clearly less sense.
    return utf8RatherThan(b, ansiName(), text) ? Encoding::Utf8 : Encoding::Ansi;
}

}  // namespace

bool readsAsUtf8(std::string_view b, const std::string& codePage) {
    return hasHighBytes(b) && isValidUtf8(b) && utf8RatherThan(b, codePage, nullptr);
}

Encoding detect(std::string_view b) { return classify(b, nullptr, nullptr); }

std::wstring decode(std::string_view b, Encoding& found, bool* lossy) {
    std::wstring text;
    found = classify(b, &text, lossy);
    return text;
}

bool encode(std::wstring_view text, Encoding enc, std::string& out) {
    switch (enc) {
        case Encoding::Utf16LE: out = "\xFF\xFE" + toUtf16LE(text); return true;
        case Encoding::Utf8Bom: out = "\xEF\xBB\xBF" + toUtf8(text); return true;
        case Encoding::Utf8: out = toUtf8(text); return true;
        case Encoding::Ansi: break;
    }
    return toAnsi(text, out);
}

}  // namespace vx::text
