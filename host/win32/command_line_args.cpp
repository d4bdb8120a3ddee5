#include "win32/command_line_args.h"

namespace vx::win32 {

std::vector<std::wstring> splitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> args;
    std::wstring current;
    bool inArgument = false, quoted = false;
    for (size_t i = 0; i < line.size();) {
        const wchar_t c = line[i];
        if (!quoted && (c == L' ' || c == L'\t')) {
            if (inArgument) args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == L'\\') {
            size_t n = 0;
            while (i < line.size() && line[i] == L'\\') ++n, ++i;
            if (i < line.size() && line[i] == L'"') {
                current.append(n / 2, L'\\');
                if (n % 2) {
                    current += L'"';
                    ++i;
                }
            } else {
                current.append(n, L'\\');
            }
            continue;
        }
        if (c == L'"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                current += L'"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) args.push_back(std::move(current));
    return args;
}

}  // namespace vx::win32
