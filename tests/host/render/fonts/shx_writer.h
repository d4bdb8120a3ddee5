// Writes compiled shape fonts for tests: shape fonts, Unicode fonts and (extended) big fonts
// with the glyphs a test gives, in the container layouts the reader expects. No real font is
// used or shipped.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace vx::test {

struct ShxShape {
    uint32_t code;
    std::string body;  // definition bytes, ending with 0
};

// Bytes from numbers -128..255 (negative numbers are the signed bytes of displacements).
inline std::string shapeBytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(static_cast<uint8_t>(v));
    return out;
}

inline void putU16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void putU32(std::string& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

inline std::string shapesFile(const std::vector<ShxShape>& shapes, int above, int below) {
    std::vector<std::pair<uint32_t, std::string>> records;
    records.emplace_back(0, std::string("test shapes") + '\0' + shapeBytes({above, below, 0, 0}));
    for (const ShxShape& s : shapes) records.emplace_back(s.code, "s" + std::to_string(s.code) + '\0' + s.body);
    std::string out = "AutoCAD-86 shapes 1.0\r\n\x1a";
    putU16(out, records.front().first);
    putU16(out, records.back().first);
    putU16(out, uint32_t(records.size()));
    for (auto& [code, data] : records) {
        putU16(out, code);
        putU16(out, uint32_t(data.size()));
    }
    for (auto& r : records) out += r.second;
    return out + "EOF";
}

inline std::string unifontFile(const std::vector<ShxShape>& shapes, int above, int below) {
    std::string info = std::string("test unifont") + '\0' + shapeBytes({above, below, 0, 0, 0, 0});
    std::string out = "AutoCAD-86 unifont 1.0\r\n\x1a";
    putU32(out, uint32_t(shapes.size() + 1));
    putU16(out, uint32_t(info.size()));
    out += info;
    for (const ShxShape& s : shapes) {
        std::string data = "u" + std::to_string(s.code) + '\0' + s.body;
        putU16(out, s.code);
        putU16(out, uint32_t(data.size()));
        out += data;
    }
    return out;
}

// `width` > 0 writes an extended big font (cell width in the font information).
inline std::string bigFontFile(const std::vector<ShxShape>& shapes, int height, int below,
                               const std::vector<std::pair<int, int>>& ranges, int width = 0) {
    std::vector<std::pair<uint32_t, std::string>> records;
    std::string info = std::string("test bigfont") + '\0' +
                       (width > 0 ? shapeBytes({height, below, 0, width, 0}) : shapeBytes({height, below, 0, 0}));
    records.emplace_back(0, info);
    for (const ShxShape& s : shapes) records.emplace_back(s.code, "b" + std::to_string(s.code) + '\0' + s.body);
    std::string out = "AutoCAD-86 bigfont 1.0\r\n\x1a";
    putU16(out, uint32_t(8 + 4 * ranges.size()));
    putU16(out, uint32_t(records.size()));
    putU16(out, uint32_t(ranges.size()));
    for (auto [first, last] : ranges) {
        putU16(out, uint32_t(first));
        putU16(out, uint32_t(last));
    }
    uint32_t offset = uint32_t(out.size() + 8 * records.size());
    for (auto& [code, data] : records) {
        putU16(out, code);
        putU16(out, uint32_t(data.size()));
        putU32(out, offset);
        offset += uint32_t(data.size());
    }
    for (auto& r : records) out += r.second;
    return out;
}

}  // namespace vx::test
