// The compiled shape font containers: "shapes 1.0/1.1" (single-byte codes), "unifont 1.0"
// (Unicode code points) and "bigfont 1.0" (double-byte codes behind escape lead bytes). A file
// is read once into memory and only indexed here; every offset and length in it is checked,
// since the files come from users and may be damaged or hostile.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vx::render::font {

enum class ShxKind { Shapes, Unifont, BigFont };

struct ShxFile {
    ShxKind kind = ShxKind::Shapes;
    std::string path;          // where it was read from
    std::string name;          // the font's own description
    int above = 0;             // units above the baseline of a capital letter (the text height)
    int below = 0;             // units below it
    int modes = 0;             // 2: the font also has vertical-only commands
    int width = 0;             // extended big fonts: the character cell width (0 otherwise)
    // Big fonts: lead bytes that start a double-byte code.
    std::vector<std::pair<uint8_t, uint8_t>> escapes;
    std::string bytes;         // the whole file
    // Shape code -> its definition bytes (after the name) as an offset and length in `bytes`.
    std::unordered_map<uint32_t, std::pair<uint32_t, uint32_t>> shapes;

    bool isLeadByte(uint8_t b) const;
    // The definition bytes of a shape; empty when the font has none.
    std::string_view shape(uint32_t code) const;
    bool has(uint32_t code) const { return shapes.count(code) != 0; }
};

// Files larger than this are refused: no shape font comes near it.
constexpr size_t kMaxShxBytes = 32u << 20;

// Indexes a shape font; nullopt with a reason when the bytes are not one.
std::optional<ShxFile> parseShx(std::string bytes, std::string& error);

}  // namespace vx::render::font
