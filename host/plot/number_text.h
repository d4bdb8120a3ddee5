// Numbers written into plot files: fixed decimals with trailing zeros dropped, never a locale's
// decimal comma, never "-0".
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace vx::plot {

inline void appendInteger(std::string& out, int64_t value) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

inline void appendDecimal(std::string& out, double value, int decimals) {
    char buf[64];
    if (!std::isfinite(value)) value = 0;
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    char* end = r.ptr;
    if (decimals > 0) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    if (end - buf == 2 && buf[0] == '-' && buf[1] == '0') {
        out.push_back('0');
        return;
    }
    out.append(buf, end);
}

}  // namespace vx::plot
