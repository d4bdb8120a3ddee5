// The one conversion module between wide text and bytes: UTF-8, UTF-16LE and the host's
// "ANSI code page" (a host setting, GBK by default) through iconv.
#pragma once

#include <string>
#include <string_view>

namespace vx::text {

enum class Encoding { Utf8, Utf8Bom, Utf16LE, Ansi };

// Decoding never fails: a byte sequence that is not valid in the encoding becomes U+FFFD and
// `lossy` (when given) is set, so a caller can tell the user instead of losing data silently.
std::wstring fromUtf8(std::string_view bytes, bool* lossy = nullptr);
std::wstring fromUtf16LE(std::string_view bytes, bool* lossy = nullptr);
std::wstring fromCodePage(std::string_view bytes, const std::string& codePage, bool* lossy = nullptr);
std::wstring fromAnsi(std::string_view bytes, bool* lossy = nullptr);

// Encoding to UTF-8 / UTF-16LE cannot lose a valid character; an invalid code point (a lone
// surrogate, beyond U+10FFFF) is written as U+FFFD.
std::string toUtf8(std::wstring_view text);
std::string toUtf16LE(std::wstring_view text);
// False when a character has no representation in the code page (or the code page is unknown);
// `out` then holds what could be encoded, with '?' for each such character.
bool toCodePage(std::wstring_view text, const std::string& codePage, std::string& out);
bool toAnsi(std::wstring_view text, std::string& out);

bool isValidUtf8(std::string_view bytes);

// The rule for text files, that of the platform's own functions: a UTF-16LE or UTF-8 byte-order
// mark says so; a file without one is in the ANSI code page, unless its bytes are valid UTF-8
// that cannot be sensible ANSI text (files written as UTF-8 without a mark by other tools or
// by earlier versions of this host). ASCII-only text is Ansi.
Encoding detect(std::string_view bytes);
// Whether bytes said to be in `codePage` (a DXF header's code page, say) are in truth UTF-8:
// non-ASCII, valid UTF-8, and not sensible text in the code page, by the same measure.
bool readsAsUtf8(std::string_view bytes, const std::string& codePage);
// Decodes a whole file's bytes by detect(), without its BOM.
std::wstring decode(std::string_view bytes, Encoding& found, bool* lossy = nullptr);
// Encodes text for a file of the given encoding, with the BOM that encoding carries.
// False when a character cannot be stored (Ansi only); nothing is dropped silently.
bool encode(std::wstring_view text, Encoding enc, std::string& out);

// The host's ANSI code page as an iconv name ("GBK" unless set otherwise, e.g. by VX_ANSI_CODEPAGE).
const std::string& ansiCodePage();
void setAnsiCodePage(const std::string& iconvName);

}  // namespace vx::text
