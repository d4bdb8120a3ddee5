// The get-functions of the editor: one prompt loop, with the answer's reading per kind.
#include <cwchar>
#include <functional>

#include "aced.h"
#include "editor/command_stack.h"
#include "editor/input.h"
#include "text/strings.h"

namespace {

using vx::editor::Answer;

enum class Parse { kOk, kBad };

// Reads answers until one is usable. `parse` turns the text into a value and gives the hint
// for a malformed one. Empty answers are RTNONE unless RSG_NONULL; keywords are RTKWORD.
int promptLoop(const ACHAR* prompt, const std::wstring& defaultPrompt,
               const std::function<Parse(const std::wstring&, std::wstring& hint)>& parse) {
    const vx::editor::InitGet init = vx::editor::takeInitGet();
    std::wstring shown = prompt ? prompt : defaultPrompt.c_str();
    for (;;) {
        std::wstring line;
        if (vx::editor::readAnswer(shown, line) == Answer::kCancel) return RTCAN;
        const std::wstring t(vx::text::trim(line));
        if (t.empty()) {
            if (init.controls & RSG_NONULL) {
                vx::editor::rejectAnswer(L"A value is required here.");
                continue;
            }
            return RTNONE;
        }
        std::wstring kw = vx::editor::matchKeyword(init.keywords, t);
        if (!kw.empty()) {
            vx::editor::setLastKeyword(kw);
            return RTKWORD;
        }
        std::wstring hint;
        if (parse(t, hint) == Parse::kOk) return RTNORM;
        if (init.controls & RSG_OTHER) {
            vx::editor::setLastKeyword(t);
            return RTKWORD;
        }
        if (!init.keywords.empty()) hint += L" Or one of: " + init.keywords + L".";
        vx::editor::rejectAnswer(hint);
    }
}

}  // namespace

int acedGetPoint(const ads_point, const ACHAR* prompt, ads_point result) {
    if (!result) return RTERROR;
    return promptLoop(prompt, L"\nSpecify a point: ", [&](const std::wstring& t, std::wstring& hint) {
        if (vx::editor::parsePoint(t, result)) return Parse::kOk;
        hint = L"Requires a point: x,y or x,y,z.";
        return Parse::kBad;
    });
}

int acedGetCorner(const ads_point base, const ACHAR* prompt, ads_point result) {
    return acedGetPoint(base, prompt, result);
}

int acedGetString(int acceptBlanks, const ACHAR* prompt, ACHAR* result, size_t size) {
    if (!result || size == 0) return RTERROR;
    vx::editor::takeInitGet();  // keywords do not apply to free text
    std::wstring line;
    if (vx::editor::readAnswer(prompt ? prompt : L"\nEnter text: ", line) == Answer::kCancel) return RTCAN;
    if (!acceptBlanks) {
        size_t blank = line.find(L' ');
        if (blank != std::wstring::npos) line.resize(blank);
    }
    if (line.size() >= size) {
        std::wmemcpy(result, line.c_str(), size - 1);
        result[size - 1] = 0;
        return RTINPUTTRUNCATED;
    }
    std::wmemcpy(result, line.c_str(), line.size() + 1);
    return RTNORM;
}

int acedGetInt(const ACHAR* prompt, int* result) {
    if (!result) return RTERROR;
    return promptLoop(prompt, L"\nEnter an integer: ", [&](const std::wstring& t, std::wstring& hint) {
        wchar_t* end = nullptr;
        long n = std::wcstol(t.c_str(), &end, 10);
        if (*end == 0 && n >= -32768 && n <= 32767) {
            *result = static_cast<int>(n);
            return Parse::kOk;
        }
        hint = L"Requires an integer between -32768 and 32767.";
        return Parse::kBad;
    });
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
    if (!result) return RTERROR;
    return promptLoop(prompt, L"\nEnter a number: ", [&](const std::wstring& t, std::wstring& hint) {
        wchar_t* end = nullptr;
        double d = std::wcstod(t.c_str(), &end);
        if (*end == 0) {
            *result = d;
            return Parse::kOk;
        }
        hint = L"Requires a number.";
        return Parse::kBad;
    });
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t size) {
    if (!result || size == 0) return RTERROR;
    int rc = promptLoop(prompt, L"\nEnter an option: ", [&](const std::wstring&, std::wstring& hint) {
        hint = L"Invalid option keyword.";
        return Parse::kBad;
    });
    if (rc == RTKWORD) {
        acedGetInput(result, size);
        return RTNORM;
    }
    if (rc == RTNONE) result[0] = 0;
    return rc;
}
