// System variables of the host. Stored ones keep their value for the session; computed ones
// (DWGNAME, CTAB, CMDACTIVE ...) are read from the documents and the command loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vx::editor {

enum class VarType { kShort, kReal, kString };

struct SysVar {
    std::wstring name;
    VarType type;
    bool readOnly;
    int minShort, maxShort;  // bounds of a short value
    std::wstring value;      // stored value as text ("0", "1.5", "Model")
    std::function<std::wstring()> compute;  // set for computed variables
    // Set for computed variables a user may change (CTAB switches the layout); false with a reason.
    std::function<bool(const std::wstring&, std::wstring&)> assign = nullptr;
};

// The variables in name order, with their current value as text.
std::vector<std::pair<std::wstring, std::wstring>> sysVarValues();
// Text view used by the SETVAR host command; false with a reason when the value does not fit.
bool setSysVarText(const std::wstring& name, const std::wstring& text, std::wstring& why);
bool getSysVarText(const std::wstring& name, std::wstring& text);
// Puts every stored variable back to its default (tests, a new session).
void resetSysVars();
// A part of the host that computes a read-only variable registers it here (DWGNAME ...).
void defineComputedSysVar(const std::wstring& name, VarType type, std::function<std::wstring()> fn);

}  // namespace vx::editor
