#include "editor/sysvars.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>

#include "aced.h"
#include "aclayout.h"
#include "editor/db_bridge.h"
#include "editor/documents.h"
#include "editor/command_stack.h"

namespace vx::editor {
namespace {

// Stored variables and their defaults.
const struct {
    const wchar_t* name;
    VarType type;
    int lo, hi;
    const wchar_t* value;
} kStored[] = {
    {L"BACKGROUNDPLOT", VarType::kShort, 0, 3, L"2"},
    {L"CMDECHO", VarType::kShort, 0, 1, L"1"},
    {L"FILEDIA", VarType::kShort, 0, 1, L"1"},
    {L"CMDDIA", VarType::kShort, 0, 1, L"1"},
    {L"EXPERT", VarType::kShort, 0, 5, L"0"},
    {L"PICKFIRST", VarType::kShort, 0, 1, L"1"},
    {L"USERS1", VarType::kString, 0, 0, L""},
    {L"USERI1", VarType::kShort, -32768, 32767, L"0"},
    {L"USERR1", VarType::kReal, 0, 0, L"0"},
};

std::map<std::wstring, SysVar>& vars() {
    static std::map<std::wstring, SysVar> v = [] {
        std::map<std::wstring, SysVar> m;
        for (auto& s : kStored) m[s.name] = SysVar{s.name, s.type, false, s.lo, s.hi, s.value, nullptr};
        m[L"ACADVER"] = SysVar{L"ACADVER", VarType::kString, true, 0, 0, L"18.0s (vxhost)", nullptr};
        m[L"PRODUCT"] = SysVar{L"PRODUCT", VarType::kString, true, 0, 0, L"vxhost", nullptr};
        m[L"PROGRAM"] = SysVar{L"PROGRAM", VarType::kString, true, 0, 0, L"vxhost", nullptr};
        // The current drawing's facts.
        auto doc = [] { return documentManager().current(); };
        m[L"DWGNAME"] = SysVar{L"DWGNAME", VarType::kString, true, 0, 0, L"", [doc] {
            return doc() ? std::wstring(doc()->docTitle()) : std::wstring();
        }};
        m[L"DWGPREFIX"] = SysVar{L"DWGPREFIX", VarType::kString, true, 0, 0, L"", [doc] {
            if (!doc()) return std::wstring();
            std::wstring p = doc()->fileName();
            size_t slash = p.find_last_of(L"/\\");
            return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1);
        }};
        m[L"DBMOD"] = SysVar{L"DBMOD", VarType::kShort, true, 0, 0, L"", [doc] {
            return std::wstring(doc() && isModified(doc()->database()) ? L"1" : L"0");
        }};
        m[L"CTAB"] = SysVar{L"CTAB", VarType::kString, false, 0, 0, L"", [] {
            const ACHAR* n = acedLayoutManager()->findActiveLayout(true);
            return std::wstring(n ? n : L"");
        }};
        m[L"CTAB"].assign = [](const std::wstring& name, std::wstring& why) {
            if (acedLayoutManager()->setCurrentLayout(name.c_str()) == Acad::eOk) return true;
            why = L"No layout named " + name + L".";
            return false;
        };
        m[L"CMDACTIVE"] = SysVar{L"CMDACTIVE", VarType::kShort, true, 0, 0, L"",
                                 [] { return std::to_wstring(acedCmdActive()); }};
        return m;
    }();
    return v;
}

SysVar* find(const std::wstring& name) {
    auto it = vars().find(toUpper(name));
    return it == vars().end() ? nullptr : &it->second;
}

std::wstring valueOf(const SysVar& v) { return v.compute ? v.compute() : v.value; }

bool parseShort(const std::wstring& text, int& out) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    long n = std::wcstol(text.c_str(), &end, 10);
    if (*end || n < -32768 || n > 32767) return false;
    out = static_cast<int>(n);
    return true;
}

}  // namespace

std::vector<std::pair<std::wstring, std::wstring>> sysVarValues() {
    std::vector<std::pair<std::wstring, std::wstring>> out;
    for (auto& [name, v] : vars()) out.emplace_back(name, valueOf(v));
    return out;
}

bool setSysVarText(const std::wstring& name, const std::wstring& text, std::wstring& why) {
    SysVar* v = find(name);
    if (!v) {
        why = L"Unknown variable name.";
        return false;
    }
    if (v->readOnly) {
        why = v->name + L" is read-only.";
        return false;
    }
    if (v->assign) return v->assign(text, why);
    if (v->type == VarType::kShort) {
        int n = 0;
        if (!parseShort(text, n)) {
            why = L"Requires an integer value.";
            return false;
        }
        if (n < v->minShort || n > v->maxShort) {
            why = L"Requires an integer between " + std::to_wstring(v->minShort) + L" and " +
                  std::to_wstring(v->maxShort) + L".";
            return false;
        }
        v->value = std::to_wstring(n);
    } else if (v->type == VarType::kReal) {
        wchar_t* end = nullptr;
        double d = std::wcstod(text.c_str(), &end);
        // "nan" and "inf" parse, and an overflow gives infinity: none is a value to store.
        if (text.empty() || *end || !std::isfinite(d)) {
            why = L"Requires a number.";
            return false;
        }
        wchar_t buf[64];
        std::swprintf(buf, 64, L"%.15g", d);
        v->value = buf;
    } else {
        v->value = text;
    }
    return true;
}

bool getSysVarText(const std::wstring& name, std::wstring& text) {
    SysVar* v = find(name);
    if (!v) return false;
    text = valueOf(*v);
    return true;
}

void resetSysVars() {
    for (auto& s : kStored) vars()[s.name].value = s.value;
}

void defineComputedSysVar(const std::wstring& name, VarType type, std::function<std::wstring()> fn) {
    const std::wstring key = toUpper(name);
    vars()[key] = SysVar{key, type, true, 0, 0, L"", std::move(fn)};
}

}  // namespace vx::editor

int acedSetVar(const ACHAR* name, const resbuf* value) {
    using namespace vx::editor;
    if (!name || !value) return RTERROR;
    SysVar* v = find(name);
    if (!v || v->readOnly) return RTERROR;
    std::wstring text;
    switch (value->restype) {
        case RTSHORT:
            if (v->type == VarType::kString) return RTERROR;
            text = std::to_wstring(value->resval.rint);
            break;
        case RTLONG:
            if (v->type == VarType::kString) return RTERROR;
            text = std::to_wstring(value->resval.rlong);
            break;
        case RTREAL:
            if (v->type != VarType::kReal) return RTERROR;
            text = std::to_wstring(value->resval.rreal);
            break;
        case RTSTR:
            if (v->type != VarType::kString || !value->resval.rstring) return RTERROR;
            text = value->resval.rstring;
            break;
        default: return RTERROR;
    }
    std::wstring why;
    return setSysVarText(name, text, why) ? RTNORM : RTERROR;
}

int acedGetVar(const ACHAR* name, resbuf* value) {
    using namespace vx::editor;
    if (!name || !value) return RTERROR;
    SysVar* v = find(name);
    if (!v) return RTERROR;
    const std::wstring text = valueOf(*v);
    switch (v->type) {
        case VarType::kShort:
            value->restype = RTSHORT;
            value->resval.rint = static_cast<short>(std::wcstol(text.c_str(), nullptr, 10));
            break;
        case VarType::kReal:
            value->restype = RTREAL;
            value->resval.rreal = std::wcstod(text.c_str(), nullptr);
            break;
        case VarType::kString: {
            // The caller owns the copy and frees it (acutRelRb or free), as with every host string.
            value->restype = RTSTR;
            auto* s = static_cast<ACHAR*>(std::malloc((text.size() + 1) * sizeof(ACHAR)));
            if (!s) return RTERROR;
            std::wmemcpy(s, text.c_str(), text.size() + 1);
            value->resval.rstring = s;
            break;
        }
    }
    return RTNORM;
}
