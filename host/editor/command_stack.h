// The command stack behind acedRegCmds: groups in registration order, newest group searched
// first, names found without regard to case.
#pragma once

#include <string>
#include <vector>

#include "accmd.h"
#include "text/strings.h"

namespace vx::editor {

struct CommandInfo {
    std::wstring group, globalName, localName;
    int32_t flags = 0;
    AcRxFunctionPtr function = nullptr;
    HINSTANCE resource = nullptr;
};

class CommandStack : public AcEdCommandStack {
public:
    Acad::ErrorStatus addCommand(const ACHAR* groupName, const ACHAR* globalName, const ACHAR* localName,
                                 int32_t commandFlags, AcRxFunctionPtr function, AcEdUIContext* uiContext,
                                 int functionCode, HINSTANCE resourceHandle, AcEdCommand** commandOut) override;
    Acad::ErrorStatus removeCmd(const ACHAR* groupName, const ACHAR* globalName) override;
    Acad::ErrorStatus removeGroup(const ACHAR* groupName) override;
    AcEdCommand* lookupGlobalCmd(const ACHAR* globalName) override;
    AcEdCommand* lookupLocalCmd(const ACHAR* localName) override;
    AcEdCommand* lookupCmd(const ACHAR* name, bool globalFlag) override;

    // Every command, groups in registration order, commands in registration order.
    std::vector<CommandInfo> commands() const;
    void clear();

    ~CommandStack() override;

private:
    class Command;
    struct Group {
        std::wstring name;
        std::vector<Command*> commands;
    };
    Group* findGroup(const std::wstring& name);
    std::vector<Group> m_groups;
};

CommandStack& commandStack();

// Command, layer and group names compare by the host's one rule for names.
using vx::text::equalNoCase;
std::wstring toUpper(std::wstring s);

}  // namespace vx::editor
