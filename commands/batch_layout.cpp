#include "commands/batch_layout.h"

#include "aced.h"

namespace vorlix {

int createLayouts(AcApLayoutManager& manager, const std::vector<std::wstring>& drawingNumbers) {
    int made = 0;
    for (const std::wstring& number : drawingNumbers) {
        acutPrintf(L"\n正在为  %s  生成布局！", number.c_str());
        AcString name;
        AcDbObjectId layoutId, blockId;
        if (manager.getNextNewLayoutName(name) != Acad::eOk ||
            manager.createLayout(name.kACharPtr(), layoutId, blockId) != Acad::eOk) {
            acutPrintf(L"\n为  %s  生成布局失败！", number.c_str());
            continue;
        }
        manager.setDefaultPlotConfig(blockId);
        manager.setCurrentLayoutId(layoutId);
        manager.updateLayoutTabs();
        acutPrintf(L"\n为  %s  生成布局成功！", number.c_str());
        ++made;
    }
    return made;
}

}  // namespace vorlix
