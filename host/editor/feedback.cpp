#include "editor/feedback.h"

namespace vx::editor {
namespace {

const std::vector<EntityRef>* g_selection = nullptr;
uint64_t g_generation = 0;
const AcDbEntity* g_jig = nullptr;
std::function<void()>& tabsListener() {
    static std::function<void()> listener;
    return listener;
}

}  // namespace

const std::vector<EntityRef>* pendingSelection() { return g_selection; }
uint64_t selectionGeneration() { return g_generation; }
const AcDbEntity* jigEntity() { return g_jig; }

void setLayoutTabsListener(std::function<void()> listener) { tabsListener() = std::move(listener); }
void layoutTabsChanged() {
    if (tabsListener()) tabsListener()();
}

SelectionShown::SelectionShown(const std::vector<EntityRef>& picked) : m_outer(g_selection) {
    g_selection = &picked;
    ++g_generation;
}

SelectionShown::~SelectionShown() {
    g_selection = m_outer;
    ++g_generation;
}

JigShown::JigShown(const AcDbEntity* entity) : m_outer(g_jig) { g_jig = entity; }
JigShown::~JigShown() { g_jig = m_outer; }

}  // namespace vx::editor
