// The container of the plot configuration files (.pc3, .pmp, .ctb, .stb): 48 bytes of header text
// naming the kind ("PIAFILEVERSION_2.0,CTBVER1,compress\r\npmzlibcodec"), then three
// little-endian 32-bit numbers (an Adler-32 checksum, the size of the text, the size of the
// compressed stream) and a zlib stream of the text body, which ends in a NUL.
#pragma once

#include <string>
#include <string_view>

namespace vx::plot {

enum class PiaKind { Ctb, Stb, Pc3, Pmp };

// "CTBVER1" ...
const char* piaKindTag(PiaKind kind);
// The kind a file name asks for by its extension (.ctb .stb .pc3 .pmp, any case).
bool piaKindFromPath(const std::string& path, PiaKind& kind);

// The body text of a PIA file (the NUL at its end removed). Not a PIA file, a damaged stream or a
// body larger than 16 MB: false with a reason. The checksum is not checked: the writers of
// these files disagree on what it covers. Files written with a 72-byte header (64-bit longs, as
// some scripts write them) are read too.
bool readPia(std::string_view bytes, PiaKind& kind, std::string& body, std::string& error);
// The file's bytes for a body (the checksum over the compressed stream).
std::string writePia(PiaKind kind, std::string_view body);

}  // namespace vx::plot
