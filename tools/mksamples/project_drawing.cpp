// The project drawing: twelve A1 frames of a residential building's architectural set, each
// with its title block filled and a floor plan's worth of walls, columns and room names.
#include <memory>
#include <string>

#include "drawings.h"
#include "kit.h"

namespace mksamples {

namespace {

const wchar_t* const kNames[12] = {
    L"建筑设计总说明", L"总平面图",   L"首层平面图", L"二层平面图", L"三至十层平面图", L"屋顶平面图",
    L"南立面图",       L"北立面图",   L"东、西立面图", L"1-1剖面图", L"楼梯详图",     L"墙身大样图",
};

struct Field {
    const wchar_t* tag;
    const wchar_t* value;
};
const Field kCommon[] = {
    {L"工程名称", L"滨江花园住宅小区"}, {L"建设单位", L"滨江置业有限公司"}, {L"子项名称", L"1#住宅楼"},
    {L"设计", L"张明"},       {L"校对", L"李华"},       {L"审核", L"王强"},       {L"审定", L"赵刚"},
    {L"项目负责人", L"陈伟"}, {L"专业负责人", L"刘洋"}, {L"日期", L"2026.11"},   {L"比例", L"1:100"},
    {L"阶段", L"施工图"},
};

// A plan inside the frame whose lower left corner is (x, y): outer walls, a few partitions,
// columns at the grid crossings and room names.
void planContent(AcDbDatabase& db, double x, double y, AcDbObjectId style) {
    AcDbObjectId ms = db.modelSpaceId();
    const double ox = x + 8000, oy = y + 12000, W = 48000, H = 30000;
    append(ms, rectangle(ox, oy, ox + W, oy + H), L"A-WALL");
    append(ms, rectangle(ox + 240, oy + 240, ox + W - 240, oy + H - 240), L"A-WALL");
    append(ms, line(ox + 18000, oy, ox + 18000, oy + H), L"A-WALL");
    append(ms, line(ox + 33000, oy, ox + 33000, oy + H), L"A-WALL");
    append(ms, line(ox, oy + 14000, ox + 18000, oy + 14000), L"A-WALL");
    append(ms, line(ox + 33000, oy + 12000, ox + W, oy + 12000), L"A-WALL");
    for (int i = 0; i <= 4; ++i)
        for (int j = 0; j <= 2; ++j)
            append(ms, new AcDbCircle(AcGePoint3d(ox + i * 12000, oy + j * 15000, 0), AcGeVector3d::kZAxis, 300),
                   L"A-COLS");
    const struct {
        double dx, dy;
        const wchar_t* name;
    } rooms[] = {{9000, 21000, L"客厅"}, {9000, 6000, L"餐厅"}, {25500, 15000, L"卧室"},
                 {40500, 21000, L"主卧"}, {40500, 6000, L"卫生间"}};
    for (const auto& r : rooms) append(ms, text(ox + r.dx, oy + r.dy, 500, r.name, style, true), L"A-TEXT");
}

}  // namespace

bool buildProject(AcDbDatabase& db, AcDbDatabase& templ) {
    addLayer(db, L"C-TK", 7);
    addLayer(db, L"A-WALL", 1);
    addLayer(db, L"A-COLS", 3);
    addLayer(db, L"A-TEXT", 7);
    // The A1 frame's reference out of the template, as the insert command takes it.
    AcDbObjectPointer<AcDbBlockTable> bt(templ.blockTableId());
    AcDbObjectId a1;
    if (bt->getAt((std::wstring(kOrganisation) + L"-A1").c_str(), a1) != Acad::eOk) return false;
    bt.close();
    AcDbObjectPointer<AcDbBlockTableRecord> block(a1);
    AcDbObjectIdArray refs;
    block->getBlockReferenceIds(refs, true, false);
    block.close();
    if (refs.length() != 1) return false;
    AcGePoint3d from = AcDbBlockReference::cast(refs[0].object())->position();
    AcDbDatabase* out = nullptr;
    if (templ.wblock(out, refs, AcGePoint3d::kOrigin) != Acad::eOk) return false;
    std::unique_ptr<AcDbDatabase> taken(out);

    AcDbObjectId style;
    for (int i = 0; i < 12; ++i) {
        const double x = (i % 4) * 94100.0, y = -(i / 4) * 69400.0;
        AcGeMatrix3d move = AcGeMatrix3d::translation(AcGePoint3d(x, y, 0) - from);
        if (db.insert(move, taken.get(), true) != Acad::eOk) return false;
        auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().object());
        AcDbObjectId frame = ms->entities().back()->objectId();
        wchar_t number[16];
        std::swprintf(number, 16, L"建施-%02d", i + 1);
        if (!setAttribute(frame, L"图号", number) || !setAttribute(frame, L"图名", kNames[i])) return false;
        for (const Field& f : kCommon) setAttribute(frame, f.tag, f.value);
        if (style.isNull()) {
            AcDbObjectPointer<AcDbTextStyleTable> st(db.textStyleTableId());
            st->getAt(L"HZ", style);
        }
        if (i >= 2 && i <= 5) planContent(db, x, y, style);
    }
    return true;
}

}  // namespace mksamples
