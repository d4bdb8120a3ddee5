// What a window shows while a prompt waits: the entities a selection has chosen so far (drawn
// highlighted) and the entity a jig drags (drawn where the cursor is). The console shows
// neither; a desktop view asks for them whenever it paints.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "editor/selection.h"

class AcDbEntity;

namespace vx::editor {

// The selection being built at the innermost "Select objects" that runs now, or null.
const std::vector<EntityRef>* pendingSelection();
// Moves whenever a selection starts or ends: a view that drew the chosen entities of one
// selection knows that a set of the same size is another one.
uint64_t selectionGeneration();
// The entity the innermost running jig drags, or null.
const AcDbEntity* jigEntity();

// The layout manager's updateLayoutTabs: a window with tabs shows the drawing's layouts again.
void setLayoutTabsListener(std::function<void()> listener);
void layoutTabsChanged();

// Held while a selection reads its answers: `picked` is what pendingSelection shows.
class SelectionShown {
public:
    explicit SelectionShown(const std::vector<EntityRef>& picked);
    ~SelectionShown();
    SelectionShown(const SelectionShown&) = delete;
    SelectionShown& operator=(const SelectionShown&) = delete;

private:
    const std::vector<EntityRef>* m_outer;
};

// Held while a jig drags `entity`.
class JigShown {
public:
    explicit JigShown(const AcDbEntity* entity);
    ~JigShown();
    JigShown(const JigShown&) = delete;
    JigShown& operator=(const JigShown&) = delete;

private:
    const AcDbEntity* m_outer;
};

}  // namespace vx::editor
