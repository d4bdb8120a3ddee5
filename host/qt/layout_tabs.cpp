#include "qt/layout_tabs.h"

#include "acdb.h"
#include "db/layouts.h"
#include "dbdict.h"
#include "qt/qt_text.h"

namespace vx::qt {

std::vector<std::wstring> layoutNames(AcDbDatabase* db, int& current) {
    std::vector<std::wstring> names;
    current = -1;
    if (!db) return names;
    const db::Store& st = db->store();
    const AcDbLayout* active = db::currentLayout(st);
    for (const AcDbLayout* layout : db::layouts(st)) {
        AcString name;
        if (layout->getLayoutName(name) != Acad::eOk) continue;
        if (layout == active) current = int(names.size());
        names.emplace_back(name.kACharPtr());
    }
    // A drawing without layouts (R12) still has its model space.
    if (names.empty()) {
        names.emplace_back(L"Model");
        current = 0;
    }
    return names;
}

LayoutTabs::LayoutTabs(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("layoutTabs"));
    setShape(QTabBar::RoundedSouth);
    setExpanding(false);
    setDrawBase(false);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QTabBar::currentChanged, this, [this](int index) {
        if (m_filling || index < 0 || index == m_current) return;
        if (chosen) chosen(layoutAt(index));
        // The tab shows the current layout until the drawing has made the chosen one current.
        m_filling = true;
        setCurrentIndex(m_current);
        m_filling = false;
    });
}

std::wstring LayoutTabs::layoutAt(int index) const {
    return index >= 0 && size_t(index) < m_names.size() ? m_names[size_t(index)] : std::wstring();
}

void LayoutTabs::refresh(AcDbDatabase* db) {
    int current = -1;
    std::vector<std::wstring> names = layoutNames(db, current);
    m_filling = true;
    if (names != m_names) {
        while (count() > 0) removeTab(count() - 1);
        for (const std::wstring& n : names) addTab(toQ(n));
        m_names = std::move(names);
    }
    m_current = current;
    if (current >= 0) setCurrentIndex(current);
    m_filling = false;
}

}  // namespace vx::qt
