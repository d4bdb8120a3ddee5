// ZIP local headers, central directory and end record, little-endian as the format says.
#include "plot/zip_writer.h"

#include <zlib.h>

#include <ctime>
#include <limits>

namespace vx::plot {

namespace {

constexpr uint16_t kVersion = 20;          // 2.0: deflate
constexpr uint16_t kUtf8Names = 0x0800;    // general purpose flag bit 11
constexpr uint16_t kStored = 0, kDeflated = 8;

void put16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

bool deflateRaw(std::string_view data, std::string& out) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&z, static_cast<uLong>(data.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return rc == Z_STREAM_END;
}

}  // namespace

ZipWriter::ZipWriter() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    m_dosTime = static_cast<uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    const int year = local.tm_year + 1900 < 1980 ? 0 : local.tm_year + 1900 - 1980;
    m_dosDate = static_cast<uint16_t>((year << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
}

bool ZipWriter::add(const std::string& name, std::string_view data, std::string& error) {
    constexpr size_t kLimit = std::numeric_limits<uint32_t>::max();
    if (m_entries.size() >= 0xFFFF || data.size() >= kLimit || m_bytes.size() >= kLimit || name.size() > 0xFFFF) {
        error = "the package is larger than a ZIP file can hold";
        return false;
    }
    std::string packed;
    if (!deflateRaw(data, packed)) {
        error = "compression failed";
        return false;
    }
    const bool deflated = packed.size() < data.size();
    const std::string_view stored = deflated ? std::string_view(packed) : data;
    if (m_bytes.size() + 30 + name.size() + stored.size() >= kLimit) {
        error = "the package is larger than a ZIP file can hold";
        return false;
    }
    Entry e{name,
            static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()))),
            static_cast<uint32_t>(stored.size()),
            static_cast<uint32_t>(data.size()),
            static_cast<uint32_t>(m_bytes.size()),
            deflated ? kDeflated : kStored};
    put32(m_bytes, 0x04034b50);
    put16(m_bytes, kVersion);
    put16(m_bytes, kUtf8Names);
    put16(m_bytes, e.method);
    put16(m_bytes, m_dosTime);
    put16(m_bytes, m_dosDate);
    put32(m_bytes, e.crc);
    put32(m_bytes, e.compressedSize);
    put32(m_bytes, e.size);
    put16(m_bytes, static_cast<uint16_t>(name.size()));
    put16(m_bytes, 0);
    m_bytes += name;
    m_bytes.append(stored.data(), stored.size());
    m_entries.push_back(std::move(e));
    return true;
}

std::string ZipWriter::finish() {
    const auto directoryOffset = static_cast<uint32_t>(m_bytes.size());
    for (const Entry& e : m_entries) {
        put32(m_bytes, 0x02014b50);
        put16(m_bytes, kVersion);
        put16(m_bytes, kVersion);
        put16(m_bytes, kUtf8Names);
        put16(m_bytes, e.method);
        put16(m_bytes, m_dosTime);
        put16(m_bytes, m_dosDate);
        put32(m_bytes, e.crc);
        put32(m_bytes, e.compressedSize);
        put32(m_bytes, e.size);
        put16(m_bytes, static_cast<uint16_t>(e.name.size()));
        put16(m_bytes, 0);  // extra field
        put16(m_bytes, 0);  // comment
        put16(m_bytes, 0);  // disk
        put16(m_bytes, 0);  // internal attributes
        put32(m_bytes, 0);  // external attributes
        put32(m_bytes, e.offset);
        m_bytes += e.name;
    }
    const auto directorySize = static_cast<uint32_t>(m_bytes.size() - directoryOffset);
    put32(m_bytes, 0x06054b50);
    put16(m_bytes, 0);
    put16(m_bytes, 0);
    put16(m_bytes, static_cast<uint16_t>(m_entries.size()));
    put16(m_bytes, static_cast<uint16_t>(m_entries.size()));
    put32(m_bytes, directorySize);
    put32(m_bytes, directoryOffset);
    put16(m_bytes, 0);
    m_entries.clear();
    std::string out;
    out.swap(m_bytes);
    return out;
}

}  // namespace vx::plot
