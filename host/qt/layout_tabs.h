// The tabs below the drawing view: "Model" and the drawing's layouts in their tab order, the
// current layout's tab chosen. A tab the user clicks asks for its layout through `chosen`; the
// tabs themselves change only when the drawing says another layout is current.
#pragma once

#include <QTabBar>
#include <functional>
#include <string>
#include <vector>

class AcDbDatabase;

namespace vx::qt {

class LayoutTabs : public QTabBar {
public:
    explicit LayoutTabs(QWidget* parent = nullptr);

    // The tabs as `db`'s layouts are now (none without a drawing).
    void refresh(AcDbDatabase* db);
    // The layout's name in the drawing ("Model" for model space), as CTAB takes it.
    std::wstring layoutAt(int index) const;
    // A tab was clicked that is not the current layout's.
    std::function<void(const std::wstring& layout)> chosen;

private:
    std::vector<std::wstring> m_names;
    int m_current = -1;
    bool m_filling = false;
};

// The drawing's layouts in tab order, model space's first, and the index of the current one.
std::vector<std::wstring> layoutNames(AcDbDatabase* db, int& current);

}  // namespace vx::qt
