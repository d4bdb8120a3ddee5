// MultiByteToWideChar and WideCharToMultiByte over the host's one conversion module.
#include <cstring>
#include <cwchar>
#include <string>

#include "text/encoding.h"
#include "win32.h"

namespace {

int fail(DWORD code) {
    SetLastError(code);
    return 0;
}

// Copies the converted text out as Windows does: with size 0 only the length needed.
template <class C>
int deliver(const std::basic_string<C>& text, C* out, int size) {
    const int needed = static_cast<int>(text.size());
    if (size == 0) return needed;
    if (size < needed) return fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(out, text.data(), text.size() * sizeof(C));
    SetLastError(ERROR_SUCCESS);
    return needed;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int length, LPWSTR wide, int size) {
    if (!multiByte || length == 0 || length < -1 || size < 0 || (size > 0 && !wide)) return fail(ERROR_INVALID_PARAMETER);
    if (codePage != CP_ACP && codePage != CP_UTF8) return fail(ERROR_INVALID_PARAMETER);
    const size_t n = length == -1 ? std::strlen(multiByte) + 1 : static_cast<size_t>(length);
    const std::string_view bytes(multiByte, n);
    bool lossy = false;
    const std::wstring text = codePage == CP_UTF8 ? vx::text::fromUtf8(bytes, &lossy) : vx::text::fromAnsi(bytes, &lossy);
    if (lossy && (flags & MB_ERR_INVALID_CHARS)) return fail(ERROR_NO_UNICODE_TRANSLATION);
    return deliver(text, wide, size);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int length, char* multiByte, int size,
                        const char* defaultChar, BOOL* usedDefaultChar) {
    if (!wide || length == 0 || length < -1 || size < 0 || (size > 0 && !multiByte)) return fail(ERROR_INVALID_PARAMETER);
    if (codePage != CP_ACP && codePage != CP_UTF8) return fail(ERROR_INVALID_PARAMETER);
    const size_t n = length == -1 ? std::wcslen(wide) + 1 : static_cast<size_t>(length);
    const std::wstring_view text(wide, n);
    std::string out;
    bool complete = true;
    if (codePage == CP_UTF8) {
        out = vx::text::toUtf8(text);
    } else if (!(complete = vx::text::toAnsi(text, out)) && defaultChar && *defaultChar != '?') {
        // The conversion marks each character it could not store with '?'; re-encode one
        // character at a time to put the caller's default in their place.
        out.clear();
        for (wchar_t c : text) {
            std::string one;
            out += vx::text::toAnsi(std::wstring_view(&c, 1), one) ? one : std::string(1, *defaultChar);
        }
    }
    if (usedDefaultChar) *usedDefaultChar = complete ? FALSE : TRUE;
    return deliver(out, multiByte, size);
}
