#include "editor/input_event.h"

#include <algorithm>
#include <cwchar>
#include <sstream>
#include <vector>

#include "editor/command_line.h"
#include "editor/command_stack.h"
#include "editor/input.h"
#include "text/strings.h"

namespace vx::editor {
namespace {

std::wstring trim(const std::wstring& s) { return std::wstring(text::trim(s)); }

InputEvent event(EventKind kind, std::wstring text = L"") {
    InputEvent e;
    e.kind = kind;
    e.text = std::move(text);
    return e;
}

// "x1,y1 x2,y2": two corners in any order, kept as given.
bool parseCorners(const std::wstring& rest, InputEvent& e) {
    std::wstringstream in(rest);
    std::wstring a, b, extra;
    if (!(in >> a >> b) || (in >> extra)) return false;
    return parsePoint(a, e.point) && parsePoint(b, e.corner);
}

InputEvent parseSelection(const std::wstring& t) {
    std::wstring word = t, rest;
    const size_t blank = t.find_first_of(L" \t");
    if (blank != std::wstring::npos) {
        word = t.substr(0, blank);
        rest = trim(t.substr(blank + 1));
    }
    if (equalNoCase(word, L"ALL") && rest.empty()) return event(EventKind::kAll);
    if (equalNoCase(word, L"L") && rest.empty()) return event(EventKind::kLast);
    if (equalNoCase(word, L"W") || equalNoCase(word, L"C")) {
        InputEvent e = event(equalNoCase(word, L"W") ? EventKind::kWindow : EventKind::kCrossing);
        if (!parseCorners(rest, e)) return event(EventKind::kMalformed, L"Give two corners: " + toUpper(word) + L" x1,y1 x2,y2");
        return e;
    }
    if (equalNoCase(word, L"H") && !rest.empty()) return event(EventKind::kHandles, rest);
    return event(EventKind::kText, t);
}

std::wstring number(double v) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.10g", v);
    return buf;
}

std::wstring pointText(const double p[3]) {
    std::wstring s = number(p[0]) + L"," + number(p[1]);
    if (p[2] != 0) s += L"," + number(p[2]);
    return s;
}

}  // namespace

InputEvent parseTyped(const std::wstring& line, Expect expect) {
    const std::wstring t = trim(line);
    if (t.empty()) return event(EventKind::kEnter);
    if (expect == Expect::kSelection) return parseSelection(t);
    InputEvent e;
    if (expect == Expect::kDrag && t.size() > 5 && text::startsWithNoCase(t, L"drag ")) {
        if (!parsePoint(t.substr(5), e.point)) return event(EventKind::kMalformed, L"Drag to a point: drag x,y[,z].");
        e.kind = EventKind::kDrag;
        return e;
    }
    if (parsePoint(t, e.point)) {
        e.kind = EventKind::kPoint;
        return e;
    }
    return event(EventKind::kText, t);
}

std::wstring typedForm(const InputEvent& e) {
    switch (e.kind) {
    case EventKind::kPoint: return pointText(e.point);
    case EventKind::kDrag: return L"drag " + pointText(e.point);
    case EventKind::kWindow: return L"W " + pointText(e.point) + L" " + pointText(e.corner);
    case EventKind::kCrossing: return L"C " + pointText(e.point) + L" " + pointText(e.corner);
    case EventKind::kAll: return L"ALL";
    case EventKind::kLast: return L"L";
    case EventKind::kHandles: return L"H " + e.text;
    case EventKind::kText: return e.text;
    case EventKind::kEnter: return L"";
    case EventKind::kCancel: return L"ESC";
    case EventKind::kMalformed: return e.text;
    }
    return L"";
}

std::vector<Expect>& expectations() {
    static std::vector<Expect> waits;
    return waits;
}

bool waitingFor(Expect& expect) {
    // A plain line read inside (a transparent command's prompt) is not waiting for an event.
    if (expectations().empty() || !CommandLine::get().waitingForEvent()) return false;
    expect = expectations().back();
    return true;
}

InputEvent readEvent(std::wstring_view prompt, Expect expect) {
    std::wstring line;
    expectations().push_back(expect);
    const Answer answer = readAnswer(prompt, line, CommandLine::Read::kEvent);
    expectations().pop_back();
    if (answer == Answer::kCancel) return event(EventKind::kCancel);
    if (const InputEvent* given = CommandLine::get().eventOfLine()) return *given;
    return parseTyped(line, expect);
}

}  // namespace vx::editor
