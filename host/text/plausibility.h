// Which of two readings of the same bytes is the text a user of this platform wrote: the
// offices' files are Chinese settings and title-block texts with ASCII around them.
#pragma once

#include <string_view>

namespace vx::text {

// How unlikely the text is as such a text, in rough bits: 0 for ASCII, a few bits for a
// common hanzi or punctuation mark, many for a rare hanzi, a private-use or control
// character, or an accented letter standing outside any Latin word (what the bytes of
// hanzi look like when read in the wrong encoding).
long long implausibility(std::wstring_view text);

// Whether the UTF-8 reading of some bytes is clearly the better one. Ties and near ties go to
// the ANSI reading, the platform's own rule for a file without a byte-order mark.
bool utf8ReadsBetter(std::wstring_view asUtf8, std::wstring_view asAnsi);

// The hanzi of everyday and title-block texts, each once.
std::wstring_view commonHanzi();

}  // namespace vx::text
