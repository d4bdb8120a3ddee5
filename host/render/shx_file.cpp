// Indexing of compiled shape fonts. Nothing here trusts a count, offset or length from the file:
// a record that does not fit is dropped (the records before it stay usable), a header that does
// not fit refuses the file.
#include "render/shx_file.h"

#include <cstring>

namespace vx::render::font {

namespace {

// A bounds-checked little-endian reader over the file.
class Cursor {
public:
    Cursor(std::string_view data, size_t pos) : m_data(data), m_pos(pos) {}
    bool has(size_t n) const { return m_pos <= m_data.size() && m_data.size() - m_pos >= n; }
    size_t pos() const { return m_pos; }
    uint8_t u8() { return static_cast<uint8_t>(m_data[m_pos++]); }
    uint16_t u16() {
        uint16_t lo = u8();
        return static_cast<uint16_t>(lo | (u8() << 8));
    }
    uint32_t u32() {
        uint32_t lo = u16();
        return lo | (static_cast<uint32_t>(u16()) << 16);
    }
    void skip(size_t n) { m_pos += n; }

private:
    std::string_view m_data;
    size_t m_pos;
};

// A record is a NUL-terminated name followed by the shape's definition bytes.
bool splitRecord(const std::string& bytes, uint32_t offset, uint32_t length, std::string* name,
                 std::pair<uint32_t, uint32_t>& body) {
    const char* begin = bytes.data() + offset;
    const void* nul = std::memchr(begin, '\0', length);
    if (!nul) return false;
    uint32_t nameLength = static_cast<uint32_t>(static_cast<const char*>(nul) - begin);
    if (name) name->assign(begin, nameLength);
    body = {offset + nameLength + 1, length - nameLength - 1};
    return true;
}

bool fits(const std::string& bytes, uint64_t offset, uint64_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

// The font information of shape 0: above, below, modes (and the cell width of extended big fonts).
void readInfo(ShxFile& f, std::string_view body, bool bigFont) {
    auto at = [&](size_t i) { return i < body.size() ? static_cast<uint8_t>(body[i]) : 0; };
    f.above = at(0);
    f.below = at(1);
    f.modes = at(2);
    // Extended big fonts carry "height, 0, modes, width, 0": five bytes instead of four.
    if (bigFont && body.size() >= 5) f.width = at(3);
}

bool readShapes(ShxFile& f, size_t start, std::string& error) {
    Cursor c(f.bytes, start);
    if (!c.has(6)) return error = "the shape index is cut off", false;
    c.skip(4);  // first and last shape number: the index says the same
    uint16_t count = c.u16();
    if (!c.has(size_t(count) * 4)) return error = "the shape index is cut off", false;
    std::vector<std::pair<uint16_t, uint16_t>> index(count);
    for (auto& [number, length] : index) {
        number = c.u16();
        length = c.u16();
    }
    uint64_t offset = c.pos();
    for (auto [number, length] : index) {
        if (!fits(f.bytes, offset, length)) break;  // a truncated file keeps the shapes it has
        std::pair<uint32_t, uint32_t> body;
        bool info = number == 0 && !f.has(0);
        if (length > 0 && splitRecord(f.bytes, uint32_t(offset), length, info ? &f.name : nullptr, body)) {
            if (info) readInfo(f, std::string_view(f.bytes).substr(body.first, body.second), false);
            f.shapes.emplace(number, body);  // of two records with one number the first counts
        }
        offset += length;
    }
    return true;
}

bool readUnifont(ShxFile& f, size_t start, std::string& error) {
    Cursor c(f.bytes, start);
    if (!c.has(6)) return error = "the font header is cut off", false;
    uint32_t count = c.u32();
    uint16_t infoLength = c.u16();
    if (!fits(f.bytes, c.pos(), infoLength)) return error = "the font information is cut off", false;
    std::pair<uint32_t, uint32_t> info;
    if (infoLength == 0 || !splitRecord(f.bytes, uint32_t(c.pos()), infoLength, &f.name, info))
        return error = "the font information is damaged", false;
    readInfo(f, std::string_view(f.bytes).substr(info.first, info.second), false);
    c.skip(infoLength);
    // The count includes the information record; the file's end bounds it as well.
    for (uint32_t i = 1; i < count && c.has(4); ++i) {
        uint16_t code = c.u16();
        uint16_t length = c.u16();
        if (!c.has(length)) break;
        std::pair<uint32_t, uint32_t> body;
        if (code != 0 && length > 0 && splitRecord(f.bytes, uint32_t(c.pos()), length, nullptr, body))
            f.shapes.emplace(code, body);
        c.skip(length);
    }
    return true;
}

bool readBigFont(ShxFile& f, size_t start, std::string& error) {
    Cursor c(f.bytes, start);
    if (!c.has(6)) return error = "the font header is cut off", false;
    c.skip(2);
    uint16_t locators = c.u16();
    uint16_t ranges = c.u16();
    if (!c.has(size_t(ranges) * 4 + size_t(locators) * 8)) return error = "the font index is cut off", false;
    for (uint16_t i = 0; i < ranges; ++i) {
        uint16_t first = c.u16(), last = c.u16();
        if (first <= last && last <= 0xFF) f.escapes.emplace_back(uint8_t(first), uint8_t(last));
    }
    bool haveInfo = false;
    for (uint16_t i = 0; i < locators; ++i) {
        uint16_t code = c.u16();
        uint16_t length = c.u16();
        uint32_t offset = c.u32();
        if (length == 0 || !fits(f.bytes, offset, length)) continue;  // blank or out-of-file locator
        std::pair<uint32_t, uint32_t> body;
        if (code == 0) {
            if (haveInfo || !splitRecord(f.bytes, offset, length, &f.name, body)) continue;
            readInfo(f, std::string_view(f.bytes).substr(body.first, body.second), true);
            haveInfo = true;
        } else if (splitRecord(f.bytes, offset, length, nullptr, body)) {
            f.shapes.emplace(code, body);
        }
    }
    if (f.escapes.empty()) return error = "the big font has no escape byte ranges", false;
    return true;
}

}  // namespace

bool ShxFile::isLeadByte(uint8_t b) const {
    for (auto [first, last] : escapes)
        if (b >= first && b <= last) return true;
    return false;
}

std::string_view ShxFile::shape(uint32_t code) const {
    auto it = shapes.find(code);
    if (it == shapes.end()) return {};
    return std::string_view(bytes).substr(it->second.first, it->second.second);
}

std::optional<ShxFile> parseShx(std::string bytes, std::string& error) {
    if (bytes.size() > kMaxShxBytes) {
        error = "the file is too large for a shape font";
        return std::nullopt;
    }
    // The signature is a line of text ended by CR LF and 0x1A (DOS end of file).
    size_t eof = bytes.find('\x1a');
    if (eof == std::string::npos || eof > 40) {
        error = "not a compiled shape font";
        return std::nullopt;
    }
    std::string_view signature(bytes.data(), eof);
    ShxFile f;
    bool (*reader)(ShxFile&, size_t, std::string&) = nullptr;
    if (signature.find("-86 shapes 1.") != std::string_view::npos) {
        f.kind = ShxKind::Shapes;
        reader = readShapes;
    } else if (signature.find("-86 unifont 1.0") != std::string_view::npos) {
        f.kind = ShxKind::Unifont;
        reader = readUnifont;
    } else if (signature.find("-86 bigfont 1.0") != std::string_view::npos) {
        f.kind = ShxKind::BigFont;
        reader = readBigFont;
    } else {
        error = "not a compiled shape font (unknown signature)";
        return std::nullopt;
    }
    f.bytes = std::move(bytes);
    if (!reader(f, eof + 1, error)) return std::nullopt;
    return f;
}

}  // namespace vx::render::font
