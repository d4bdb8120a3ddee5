#include "editor/input.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <sstream>

#include "aced.h"
#include "editor/command_line.h"
#include "editor/command_loop.h"
#include "editor/command_stack.h"
#include "text/strings.h"

namespace vx::editor {
namespace {

bool g_inputEnded = false;
InitGet g_initGet;
std::wstring g_lastKeyword;

using vx::text::trim;

bool parseNumber(const std::wstring& s, double& out) {
    const std::wstring t(trim(s));
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    out = std::wcstod(t.c_str(), &end);
    return *end == 0 && std::isfinite(out);
}

}  // namespace

bool isEscape(const std::wstring& line) {
    const std::wstring_view t = trim(line);
    return t == L"\x1b" || equalNoCase(t, L"ESC");
}

bool inputEnded() { return g_inputEnded; }
void clearInputEnded() { g_inputEnded = false; }

Answer readAnswer(std::wstring_view prompt, std::wstring& line) {
    std::wstring shown(prompt);
    for (;;) {
        if (!CommandLine::get().readLine(shown, line)) {
            g_inputEnded = true;
            acutPrintf(L"*Cancel*");
            return Answer::kCancel;
        }
        if (isEscape(line)) {
            acutPrintf(L"*Cancel*");
            return Answer::kCancel;
        }
        const std::wstring t(trim(line));
        if (t.size() > 1 && t[0] == L'\'') {
            switch (runCommandLine(t.substr(1), true)) {
                case RunResult::kRan: break;
                case RunResult::kNotTransparent:
                    rejectAnswer(L"** That command may not be invoked transparently **");
                    break;
                case RunResult::kUnknown: rejectAnswer(L"Unknown command \"" + t.substr(1) + L"\"."); break;
                case RunResult::kTooDeep:
                    rejectAnswer(L"** Transparent commands may be nested only " + std::to_wstring(kMaxTransparentDepth) +
                                 L" deep **");
                    break;
            }
            if (g_inputEnded) return Answer::kCancel;
            shown = L"\nResuming command." + std::wstring(prompt);
            continue;
        }
        return Answer::kText;
    }
}

void rejectAnswer(const std::wstring& hint) {
    acutPrintf(L"\n%s", hint.c_str());
    CommandLine::get().noteUnusableLine();
}

bool parsePoint(const std::wstring& text, double point[3]) {
    std::wstringstream in(text);
    std::wstring part;
    double v[3] = {0, 0, 0};
    int n = 0;
    while (std::getline(in, part, L',')) {
        if (n == 3 || !parseNumber(part, v[n])) return false;
        ++n;
    }
    if (n < 2 || text.empty() || text.back() == L',') return false;
    for (int i = 0; i < 3; ++i) point[i] = v[i];
    return true;
}

std::wstring formatPoint(const double point[3]) {
    wchar_t buf[128];
    std::swprintf(buf, 128, L"%.6g,%.6g,%.6g", point[0], point[1], point[2]);
    return buf;
}

InitGet takeInitGet() {
    InitGet g = g_initGet;
    g_initGet = InitGet{};
    return g;
}

std::wstring matchKeyword(const std::wstring& keywords, const std::wstring& answer) {
    const std::wstring a(trim(answer));
    if (a.empty()) return L"";
    std::wstringstream in(keywords);
    std::wstring word;
    while (in >> word) {
        std::wstring local = word.substr(0, word.find(L'_'));  // "Local_Global" forms
        if (local.empty()) continue;
        if (equalNoCase(local, a)) return local;
        std::wstring caps;
        for (wchar_t c : local)
            if (std::iswupper(c)) caps += c;
        if (!caps.empty() && equalNoCase(caps, a)) return local;
    }
    return L"";
}

void setLastKeyword(const std::wstring& word) { g_lastKeyword = word; }

}  // namespace vx::editor

int acedInitGet(int controls, const ACHAR* keywords) {
    vx::editor::g_initGet = {controls, keywords ? keywords : L""};
    return RTNORM;
}

int acedGetInput(ACHAR* result, size_t size) {
    if (!result || size == 0) return RTERROR;
    std::wcsncpy(result, vx::editor::g_lastKeyword.c_str(), size - 1);
    result[size - 1] = 0;
    return RTNORM;
}
