// Binary DXF: decoded into DXF text so that one reader serves both forms.
#include <cstring>

#include "db/access.h"
#include "dxf/dxf.h"

namespace vx::dxf {

namespace {

enum class V { Str, I16, I32, I64, Dbl, Bool, Bin };

V kindOf(int c) {
    if ((c >= 10 && c <= 59) || (c >= 110 && c <= 149) || (c >= 210 && c <= 239) || (c >= 460 && c <= 469) ||
        (c >= 1010 && c <= 1059))
        return V::Dbl;
    if ((c >= 60 && c <= 79) || (c >= 170 && c <= 179) || (c >= 270 && c <= 289) || (c >= 370 && c <= 389) ||
        (c >= 400 && c <= 409) || (c >= 1060 && c <= 1070))
        return V::I16;
    if ((c >= 90 && c <= 99) || (c >= 420 && c <= 429) || (c >= 440 && c <= 459) || c == 1071) return V::I32;
    if (c >= 160 && c <= 169) return V::I64;
    if (c >= 290 && c <= 299) return V::Bool;
    if ((c >= 310 && c <= 319) || c == 1004) return V::Bin;
    return V::Str;
}

template <class T>
bool get(const std::string& in, size_t& p, T& v) {
    if (p + sizeof(T) > in.size()) return false;
    std::memcpy(&v, in.data() + p, sizeof(T));  // the format is little-endian, as this host
    p += sizeof(T);
    return true;
}

}  // namespace

bool binaryToText(const std::string& in, std::string& out, std::wstring& message) {
    size_t p = 22;
    // R14 and later: 2-byte group codes; before: 1 byte, 255 escaping a 2-byte code. The first
    // code of a file is 0 (SECTION): a 2-byte file then has a zero second byte.
    bool wide = in.size() > 23 && static_cast<unsigned char>(in[23]) == 0;
    out.reserve(in.size() * 2);
    size_t count = 0;
    while (p < in.size()) {
        int code = 0;
        if (wide) {
            int16_t c;
            if (!get(in, p, c)) break;
            code = c;
        } else {
            uint8_t c;
            if (!get(in, p, c)) break;
            code = c;
            if (c == 255) {
                int16_t c2;
                if (!get(in, p, c2)) break;
                code = c2;
            }
        }
        char buf[64];
        std::snprintf(buf, sizeof buf, "%3d\n", code);
        out += buf;
        bool ok = true;
        switch (kindOf(code)) {
        case V::Str: {
            size_t e = in.find('\0', p);
            if (e == std::string::npos) { ok = false; break; }
            out.append(in, p, e - p);
            p = e + 1;
            break;
        }
        case V::I16: { int16_t v = 0; ok = get(in, p, v); out += std::to_string(v); break; }
        case V::I32: { int32_t v = 0; ok = get(in, p, v); out += std::to_string(v); break; }
        case V::I64: { int64_t v = 0; ok = get(in, p, v); out += std::to_string(v); break; }
        case V::Dbl: { double v = 0; ok = get(in, p, v); out += vx::db::formatDouble(v); break; }
        case V::Bool: { uint8_t v = 0; ok = get(in, p, v); out += std::to_string(v); break; }
        case V::Bin: {
            uint8_t n = 0;
            ok = get(in, p, n) && p + n <= in.size();
            if (!ok) break;
            static const char* hex = "0123456789ABCDEF";
            for (size_t k = 0; k < n; ++k) {
                unsigned char b = static_cast<unsigned char>(in[p + k]);
                out += hex[b >> 4];
                out += hex[b & 15];
            }
            p += n;
            break;
        }
        }
        if (!ok) {
            message = L"binary DXF is cut off in group " + std::to_wstring(count + 1) + L" (code " +
                      std::to_wstring(code) + L")";
            return false;
        }
        out += '\n';
        ++count;
        if (code == 0 && out.size() >= 4 && out.compare(out.size() - 4, 4, "EOF\n") == 0) break;
    }
    return true;
}

}  // namespace vx::dxf
