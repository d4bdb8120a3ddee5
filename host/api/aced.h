// The editor's C interface: selection sets, entity picks, point and text input, posted
// commands, system variables and coordinate transforms. Input comes from the host's command
// line; every function returns RTNORM on success, RTCAN when the user cancels (ESC, end of
// input), RTNONE for an empty answer where that is allowed, RTERROR on bad arguments.
#pragma once

#include <cstdint>

#include "acadstrc.h"
#include "accmd.h"
#include "actext.h"
#include "acutads.h"
#include "rxregsvc.h"

class AcDbObjectId;
class CMDIFrameWnd;

// Selection. Modes: null or "" or "_" pick interactively (console answers ALL, L, W, C, H, an
// empty line to finish, ESC); "X" the whole drawing; "L" the last entity; "W" / "C" the window /
// crossing of the corners pt1 and pt2 (ads_point). A mode may start with "_" (the
// language-neutral prefix). `filter` keeps only entities that match every item.
// An empty result is RTERROR, as hosts report "nothing selected".
int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const struct resbuf* filter,
              ads_name ss);
int acedSSLength(const ads_name ss, int32_t* length);
int acedSSName(const ads_name ss, int32_t index, ads_name entity);
int acedSSFree(const ads_name ss);
int acedSSAdd(const ads_name entity, const ads_name ss, ads_name result);
int acedSSDel(const ads_name entity, const ads_name ss);
int acedSSMemb(const ads_name entity, const ads_name ss);

// One entity: the console answers with a handle ("H 2A" or "2A"), "L" (last), or x,y (the
// topmost entity whose extents hold the point).
int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickedPoint);

// Keywords and input controls for the next get-function (RSG_NONULL ...).
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080
int acedInitGet(int controls, const ACHAR* keywords);
int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t size);
int acedGetInput(ACHAR* result, size_t size);

int acedGetPoint(const ads_point base, const ACHAR* prompt, ads_point result);
int acedGetCorner(const ads_point base, const ACHAR* prompt, ads_point result);
int acedGetString(int acceptBlanks, const ACHAR* prompt, ACHAR* result, size_t size);
int acedGetInt(const ACHAR* prompt, int* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);

// Queued; run when the command line is next read, as if typed ("\n" ends a line).
bool acedPostCommand(const ACHAR* text);

// System variables: BACKGROUNDPLOT, CMDECHO, FILEDIA, CLAYER, DWGNAME, DWGPREFIX, ACADVER ...
// RTERROR for an unknown name, a read-only variable or a value of the wrong type.
int acedSetVar(const ACHAR* name, const struct resbuf* value);
int acedGetVar(const ACHAR* name, struct resbuf* value);

// Coordinate systems: from/to hold RTSHORT 0 (world), 1 (user), 2 (display), 3 (paper space)
// or an RTENAME. Without a view or a user coordinate system all of them coincide.
int acedTrans(const ads_point point, const struct resbuf* from, const struct resbuf* to,
              int displacement, ads_point result);

// Entity names and object ids.
int acdbEntLast(ads_name entity);
int acdbEntNext(const ads_name entity, ads_name next);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity);
Acad::ErrorStatus acdbGetAdsName(ads_name& entity, const AcDbObjectId& id);

// The host's main window.
CMDIFrameWnd* acedGetAcadFrame();

// Whether the current command was started transparently, or any command is running.
bool acedIsTransparent();
int acedCmdActive();
