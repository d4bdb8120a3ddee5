// A small ZIP archive writer (stored or deflated entries, no ZIP64) for the packages the plot
// writers make. The archive is built in memory and handed to the output file writer whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx::plot {

class ZipWriter {
public:
    ZipWriter();
    // Adds an entry; deflated when that makes it smaller. False with a reason past the format's
    // limits (4 GB, 65,535 entries) or when compression fails.
    bool add(const std::string& name, std::string_view data, std::string& error);
    // The finished archive; the writer is empty again afterwards.
    std::string finish();

private:
    struct Entry {
        std::string name;
        uint32_t crc, compressedSize, size, offset;
        uint16_t method;
    };
    std::string m_bytes;
    std::vector<Entry> m_entries;
    uint16_t m_dosTime, m_dosDate;
};

}  // namespace vx::plot
