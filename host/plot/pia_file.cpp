// PIA container: header, sizes and zlib stream.
#include "plot/pia_file.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace vx::plot {

namespace {

constexpr size_t kHeaderText = 48;
constexpr size_t kHeader = 60;
constexpr size_t kWideHeader = 72;
constexpr size_t kMaxBody = 16u << 20;
constexpr const char* kMagic = "PIAFILEVERSION_";

struct KindEntry {
    PiaKind kind;
    const char* tag;
    const char* extension;
};

const KindEntry kKinds[] = {
    {PiaKind::Ctb, "CTBVER1", ".ctb"},
    {PiaKind::Stb, "STBVER1", ".stb"},
    {PiaKind::Pc3, "PC3VER1", ".pc3"},
    {PiaKind::Pmp, "PMPVER1", ".pmp"},
};

uint32_t readU32(std::string_view b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

void appendU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A zlib stream begins with 0x78 and a header whose two bytes are a multiple of 31.
bool looksLikeZlib(std::string_view b, size_t at) {
    if (b.size() < at + 2) return false;
    const auto cmf = static_cast<unsigned char>(b[at]), flg = static_cast<unsigned char>(b[at + 1]);
    return (cmf & 0x0F) == 8 && (cmf * 256 + flg) % 31 == 0;
}

bool inflateBody(std::string_view stream, std::string& body, std::string& error) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        error = "zlib could not start";
        return false;
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in = static_cast<uInt>(stream.size());
    body.clear();
    char chunk[16384];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        body.append(chunk, sizeof chunk - z.avail_out);
        if (body.size() > kMaxBody) {
            inflateEnd(&z);
            error = "the body is larger than 16 MB";
            return false;
        }
        if (rc == Z_BUF_ERROR && z.avail_in == 0) break;
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END) {
        error = "the compressed body is damaged or cut short";
        return false;
    }
    while (!body.empty() && body.back() == '\0') body.pop_back();
    return true;
}

}  // namespace

const char* piaKindTag(PiaKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k.tag;
    return kKinds[0].tag;
}

bool piaKindFromPath(const std::string& path, PiaKind& kind) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& k : kKinds) {
        if (ext == k.extension) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

bool readPia(std::string_view bytes, PiaKind& kind, std::string& body, std::string& error) {
    if (bytes.size() < kHeader || bytes.substr(0, 15) != kMagic) {
        error = "not a plot configuration file (no PIA header)";
        return false;
    }
    const std::string_view header = bytes.substr(0, kHeaderText);
    const size_t comma = header.find(',');
    const size_t comma2 = comma == std::string_view::npos ? comma : header.find(',', comma + 1);
    if (comma2 == std::string_view::npos) {
        error = "the PIA header names no file kind";
        return false;
    }
    const std::string_view tag = header.substr(comma + 1, comma2 - comma - 1);
    bool known = false;
    for (const auto& k : kKinds) {
        if (tag == k.tag) {
            kind = k.kind;
            known = true;
        }
    }
    if (!known) {
        error = "unknown PIA file kind " + std::string(tag);
        return false;
    }
    if (header.find("compress", comma2) == std::string_view::npos) {
        error = "the PIA body is not compressed; only compressed files are read";
        return false;
    }
    size_t start = kHeader;
    if (!looksLikeZlib(bytes, start) && looksLikeZlib(bytes, kWideHeader)) start = kWideHeader;
    size_t length = bytes.size() - start;
    if (start == kHeader && readU32(bytes, 56) > 0) length = std::min<size_t>(length, readU32(bytes, 56));
    return inflateBody(bytes.substr(start, length), body, error);
}

std::string writePia(PiaKind kind, std::string_view body) {
    std::string text(body);
    text.push_back('\0');
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string stream(size, '\0');
    compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
              static_cast<uLong>(text.size()), Z_BEST_COMPRESSION);
    stream.resize(size);
    std::string out = std::string("PIAFILEVERSION_2.0,") + piaKindTag(kind) + ",compress\r\npmzlibcodec";
    out.resize(kHeaderText, ' ');
    appendU32(out, static_cast<uint32_t>(adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(stream.data()),
                                                 static_cast<uInt>(stream.size()))));
    appendU32(out, static_cast<uint32_t>(text.size()));
    appendU32(out, static_cast<uint32_t>(stream.size()));
    out += stream;
    return out;
}

}  // namespace vx::plot
