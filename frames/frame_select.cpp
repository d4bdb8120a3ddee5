#include "frames/frame_select.h"

#include "aced.h"
#include "frames/drawing_utils.h"

namespace vorlix {
namespace {

// Owns a filter list for one selection.
struct FilterList {
    resbuf* head;
    explicit FilterList(resbuf* rb) : head(rb) {}
    ~FilterList() { acutRelRb(head); }
    FilterList(const FilterList&) = delete;
    FilterList& operator=(const FilterList&) = delete;
};

bool pickWith(const ACHAR* prompt, resbuf* filterList, FrameList& frames) {
    FilterList filter(filterList);
    if (prompt) acutPrintf(L"%s", prompt);
    ads_name ss;
    if (acedSSGet(L"_", nullptr, nullptr, filter.head, ss) != RTNORM) return false;
    frames = selectionToFrameList(ss);
    acedSSFree(ss);
    return true;
}

}  // namespace

FrameList selectionToFrameList(const ads_name ss) {
    FrameList list(0, 8);
    int32_t count = 0;
    if (acedSSLength(ss, &count) != RTNORM) return list;
    for (int32_t i = 0; i < count; ++i) {
        ads_name ent;
        AcDbObjectId id;
        if (acedSSName(ss, i, ent) == RTNORM && acdbGetObjectId(id, ent) == Acad::eOk) list.append(id);
    }
    return list;
}

bool pickFrames(const ACHAR* prompt, FrameList& frames) {
    return pickWith(prompt, acutBuildList(8, kFrameLayer, 0), frames);
}

bool pickFrameReferences(const ACHAR* prompt, FrameList& frames) {
    return pickWith(prompt, acutBuildList(RTDXF0, L"INSERT", 8, kFrameLayer, 0), frames);
}

FrameList allFrames() {
    FilterList filter(acutBuildList(8, kFrameLayer, 0));
    ads_name ss;
    if (acedSSGet(L"X", nullptr, nullptr, filter.head, ss) != RTNORM) return FrameList(0, 8);
    FrameList list = selectionToFrameList(ss);
    acedSSFree(ss);
    return list;
}

bool pickOneObject(const ACHAR* prompt, AcDbObjectId& id) {
    ads_name ent;
    ads_point pt;
    if (acedEntSel(prompt, ent, pt) != RTNORM) return false;
    AcDbObjectId found;
    if (acdbGetObjectId(found, ent) != Acad::eOk) return false;
    id = found;
    return true;
}

}  // namespace vorlix
