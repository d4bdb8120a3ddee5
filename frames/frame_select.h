// Choosing frames: block references on the frame layer "C-TK", picked by the user with a
// prompt, or all of them. The list keeps the selection order and may hold other objects on
// that layer; the attribute operations give nothing for those.
#pragma once

#include "acdb.h"
#include "acutads.h"

namespace vorlix {

using FrameList = AcDbObjectIdArray;

// Prints the caller's prompt, then lets the user select objects on "C-TK". False (and
// `frames` untouched) when the user cancels or selects nothing.
bool pickFrames(const ACHAR* prompt, FrameList& frames);
// The same, limited to block references (INSERT) on "C-TK".
bool pickFrameReferences(const ACHAR* prompt, FrameList& frames);
// Every object on "C-TK" of the whole drawing: model space first, then the paper-space layouts
// in tab order, each in drawing order; empty when there is none.
FrameList allFrames();
// One object picked with the prompt; false on cancel or when the pick names no object.
bool pickOneObject(const ACHAR* prompt, AcDbObjectId& id);
// The set's entities in its order; names that give no object id are left out.
FrameList selectionToFrameList(const ads_name ss);

}  // namespace vorlix
