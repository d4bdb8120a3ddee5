// Plot file names come from attribute texts that anyone may have typed. Before a name meets the
// file system it is made into one plain file name inside the output folder, by a rule users
// can predict:
//   - "/", "\", ":", "*", "?", '"', "<", ">", "|" and control characters each become "_";
//   - a run of two or more dots becomes "_";
//   - blanks and dots at either end are dropped (Windows would drop the trailing ones itself
//     and so write another file than the one named);
//   - a reserved device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, any case, alone or
//     before a dot) gets "_" after it: "CON" -> "CON_".
// What is left when nothing usable remains, or a name too long for the file system, is refused.
#pragma once

#include <set>
#include <string>

namespace vorlix {

enum class FileNameVerdict { Kept, Changed, Refused };

// `name` made safe by the rule above; Refused leaves `safe` empty.
FileNameVerdict safeFileName(const std::wstring& name, const std::wstring& extension, std::wstring& safe);

// The names given out in one plot run. A name met before (without regard to case, as Windows
// folders and the host's file lookup compare names) gets the first free "(2)", "(3)" ...
// suffix, written right after the name: "A-01(2)".
class RunFileNames {
public:
    // The name to write under; `renamed` tells whether it differs from `name`.
    std::wstring claim(const std::wstring& name, bool& renamed);

private:
    std::set<std::wstring> m_taken;  // lower-case
};

}  // namespace vorlix
