// The command stack: groups of commands with global and local names, flags and functions.
#pragma once

#include <cstdint>

#include "acadstrc.h"
#include "actext.h"
#include "rxobject.h"
#include "win32.h"

#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_NOOEM 0x00000100
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x00000400
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NONEWSTACK 0x00010000
#define ACRX_CMD_NOINTERNALLOCK 0x00020000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_INTERRUPTIBLE 0x00400000
#define ACRX_CMD_NOHISTORY 0x00800000

typedef void (*AcRxFunctionPtr)();
class AcEdUIContext;

class AcEdCommand : public AcRxObject {
public:
    virtual const ACHAR* globalName() const = 0;
    virtual const ACHAR* localName() const = 0;
    virtual const ACHAR* groupName() const = 0;
    virtual int32_t commandFlags() const = 0;
    virtual AcRxFunctionPtr functionAddr() const = 0;
    virtual HINSTANCE resourceHandle() const = 0;
    virtual int functionCode() const = 0;
};

class AcEdCommandStack : public AcRxObject {
public:
    static AcEdCommandStack* cast(AcRxObject* o) { return dynamic_cast<AcEdCommandStack*>(o); }

    // eDuplicateKey when the group already has a command with the same global or local name;
    // eInvalidInput for a missing name or function. Names are kept as given and found
    // without regard to case.
    virtual Acad::ErrorStatus addCommand(const ACHAR* groupName, const ACHAR* globalName,
                                         const ACHAR* localName, int32_t commandFlags,
                                         AcRxFunctionPtr function, AcEdUIContext* uiContext = nullptr,
                                         int functionCode = -1, HINSTANCE resourceHandle = nullptr,
                                         AcEdCommand** commandOut = nullptr) = 0;
    // eKeyNotFound when the group or the command is not there.
    virtual Acad::ErrorStatus removeCmd(const ACHAR* groupName, const ACHAR* globalName) = 0;
    virtual Acad::ErrorStatus removeGroup(const ACHAR* groupName) = 0;
    // By global name (globalFlag) or local name, in every group, the newest group first.
    virtual AcEdCommand* lookupGlobalCmd(const ACHAR* globalName) = 0;
    virtual AcEdCommand* lookupLocalCmd(const ACHAR* localName) = 0;
    virtual AcEdCommand* lookupCmd(const ACHAR* name, bool globalFlag) = 0;
};

// The stack registered under ACRX_COMMAND_DOCK in the system registry.
#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
