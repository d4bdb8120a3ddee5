// The project drawing: the architectural set of 1#住宅楼, a catalogue sheet and nine frames of
// several sizes in three rows, each frame's title block filled and its drawings inside it.
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "details.h"
#include "drawings.h"
#include "elevations.h"
#include "kit.h"
#include "plans.h"
#include "tables.h"

namespace mksamples {

namespace {

struct Field {
    const wchar_t* tag;
    const wchar_t* value;
};
const Field kCommon[] = {
    {L"工程名称", L"滨江花园住宅小区"}, {L"建设单位", L"滨江置业有限公司"}, {L"子项名称", L"1#住宅楼"},
    {L"设计", L"张明"},       {L"校对", L"李华"},       {L"审核", L"王强"},       {L"审定", L"赵刚"},
    {L"项目负责人", L"陈伟"}, {L"专业负责人", L"刘洋"}, {L"日期", L"2026.11"},   {L"阶段", L"施工图"},
};

// The office's layers: colour, linetype, lineweight, and whether they are plotted.
const LayerSpec kLayers[] = {
    {L"C-TK", 7, nullptr, 25, true},   {L"轴线", 1, L"CENTER", 18, true}, {L"轴号", 3, nullptr, 25, true},
    {L"墙体", 7, nullptr, 50, true},   {L"柱", 7, nullptr, 35, true},      {L"门窗", 4, nullptr, 25, true},
    {L"楼梯", 2, nullptr, 25, true},   {L"家具", 8, nullptr, 13, true},    {L"标注", 3, nullptr, 18, true},
    {L"文字", 7, nullptr, 25, true},   {L"散水", 8, nullptr, 18, true},    {L"屋面", 6, nullptr, 25, true},
    {L"立面", 7, nullptr, 35, true},   {L"剖面", 7, nullptr, 50, true},    {L"填充", 8, nullptr, 9, true},
    {L"表格", 7, nullptr, 25, true},   {L"辅助线", 9, L"DASHED", 13, false}, {L"Defpoints", 7, nullptr, -3, false},
};

struct SheetSpec {
    const wchar_t* size;  // frame name; "目录单" is the catalogue sheet
    const wchar_t* number;
    const wchar_t* name;
    const wchar_t* scale;
    void (*draw)(Drawing&, const Symbols&, const Frame&);
};

void planSheet(Drawing& d, const Frame& f, void (*plan)(const Sheet&, const Symbols&), const Symbols& sym) {
    // A plan with its bubbles, dimensions and notes spans local x -4600 .. 71400 and
    // y -8300 .. 17300; it is centred in the frame above the title block.
    const double x = (f.left() + f.right()) / 2 - (71400 - 4600) / 2;
    const double y = (f.titleTop() + f.top()) / 2 - (17300 - 8300) / 2;
    plan(Sheet(d, {x, y}, 100), sym);
}

const SheetSpec kSheets[] = {
    {L"目录单", nullptr, L"图纸目录", nullptr, nullptr},
    {L"A1", L"建施-01", L"建筑设计说明", L"—", designNotes},
    {L"A3", L"建施-02", L"门窗表", L"—", doorWindowTable},
    {L"A1", L"建施-03", L"首层平面图", L"1:100",
     [](Drawing& d, const Symbols& s, const Frame& f) { planSheet(d, f, groundFloorPlan, s); }},
    {L"A1", L"建施-04", L"二至六层平面图", L"1:100",
     [](Drawing& d, const Symbols& s, const Frame& f) { planSheet(d, f, typicalFloorPlan, s); }},
    {L"A1", L"建施-05", L"屋顶平面图", L"1:100",
     [](Drawing& d, const Symbols& s, const Frame& f) { planSheet(d, f, roofPlan, s); }},
    {L"A0", L"建施-06", L"南立面图 北立面图", L"1:100", southNorthElevations},
    {L"A1+1-4", L"建施-07", L"东、西立面图 1-1剖面图", L"1:100", sideElevationsAndSection},
    {L"A2", L"建施-08", L"楼梯详图", L"1:50", stairDetails},
};
// Rows of the layout: indices into kSheets, top row first. The catalogue sheet comes last in
// reading order, so that numbering every frame in that order gives the sheets 01, 02 ...
const std::vector<std::vector<int>> kRows = {{1, 2}, {3, 4, 5}, {6, 7, 8, 0}};
constexpr double kGap = 10000;

// The template's reference of a block, taken out with its attributes as the insert command
// takes it, and where it stood.
struct Taken {
    std::unique_ptr<AcDbDatabase> db;
    AcGePoint3d from;
    double w = 0, h = 0;
};

bool take(AcDbDatabase& templ, const std::wstring& name, Taken& out) {
    AcDbObjectPointer<AcDbBlockTable> bt(templ.blockTableId());
    AcDbObjectId block;
    if (bt->getAt(name.c_str(), block) != Acad::eOk) return false;
    bt.close();
    AcDbObjectPointer<AcDbBlockTableRecord> b(block);
    AcDbObjectIdArray refs;
    b->getBlockReferenceIds(refs, true, false);
    b.close();
    if (refs.length() != 1) return false;
    auto* ref = AcDbBlockReference::cast(refs[0].object());
    out.from = ref->position();
    AcDbExtents ext;
    if (ref->getGeomExtents(ext) != Acad::eOk) return false;
    out.w = ext.maxPoint().x - ext.minPoint().x;
    out.h = ext.maxPoint().y - ext.minPoint().y;
    AcDbDatabase* copy = nullptr;
    if (templ.wblock(copy, refs, AcGePoint3d::kOrigin) != Acad::eOk) return false;
    out.db.reset(copy);
    return true;
}

AcDbObjectId styleNamed(AcDbDatabase& db, const wchar_t* name) {
    AcDbObjectPointer<AcDbTextStyleTable> st(db.textStyleTableId());
    AcDbObjectId id;
    if (st.openStatus() == Acad::eOk) st->getAt(name, id);
    return id;
}

}  // namespace

bool buildProject(AcDbDatabase& db, AcDbDatabase& templ) {
    addLinetype(db, L"CENTER", L"Center ____ _ ____ _ ____", {12, -3, 2, -3});
    addLinetype(db, L"CENTER2", L"Center (.5x) ___ _ ___ _", {6, -1.5, 1, -1.5});
    addLinetype(db, L"DASHED", L"Dashed __ __ __ __", {4, -2});
    for (const LayerSpec& l : kLayers) addLayer(db, l);
    // Linetype patterns are in paper millimetres; the drawing is paper millimetres x 100.
    setHeaderReal(db, "$LTSCALE", kUnits);
    setHeaderReal(db, "$DIMSCALE", kUnits);
    setHeaderInt(db, "$DIMDEC", 0);

    std::map<std::wstring, Taken> taken;
    for (const SheetSpec& s : kSheets) {
        std::wstring name = std::wstring(kOrganisation) + L"-" + s.size;
        if (!taken.count(name) && !take(templ, name, taken[name])) return false;
    }
    // Frames first, in rows whose centres line up, so that reading order is the set's order.
    std::vector<Frame> frames(sizeof kSheets / sizeof kSheets[0]);
    std::vector<AcDbObjectId> refs(frames.size());
    double rowTop = 0;
    for (const std::vector<int>& row : kRows) {
        double height = 0;
        for (int i : row) height = std::max(height, taken[std::wstring(kOrganisation) + L"-" + kSheets[i].size].h);
        double x = 0;
        for (int i : row) {
            const SheetSpec& s = kSheets[i];
            Taken& t = taken[std::wstring(kOrganisation) + L"-" + s.size];
            frames[i] = {x, rowTop - height / 2 - t.h / 2, t.w, t.h};
            AcGeMatrix3d move = AcGeMatrix3d::translation(AcGePoint3d(frames[i].x, frames[i].y, 0) - t.from);
            if (db.insert(move, t.db.get(), true) != Acad::eOk) return false;
            auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().object());
            refs[i] = ms->entities().back()->objectId();
            if (s.number && !setAttribute(refs[i], L"图号", s.number)) return false;
            if (s.number && !setAttribute(refs[i], L"图名", s.name)) return false;
            if (s.scale) setAttribute(refs[i], L"比例", s.scale);
            for (const Field& f : kCommon) setAttribute(refs[i], f.tag, f.value);
            x += t.w + kGap;
        }
        rowTop -= height + kGap;
    }

    Drawing d{db, {}, 0};
    d.styles.hz = styleNamed(db, L"HZ");
    d.styles.hei = styleNamed(db, L"黑体");
    if (d.styles.hz.isNull() || d.styles.hei.isNull()) return false;
    d.styles.dim100 = addDimStyle(db, {L"建筑-100", 1}, d.styles.hz);
    d.styles.dim50 = addDimStyle(db, {L"建筑-50", 0.5}, d.styles.hz);
    d.styles.dim20 = addDimStyle(db, {L"建筑-20", 0.2}, d.styles.hz);
    d.styles.dim500 = addDimStyle(db, {L"建筑-500", 5}, d.styles.hz);
    Symbols sym;
    if (!buildSymbols(db, d.styles.hz, sym)) return false;

    std::vector<CatalogueRow> catalogue;
    for (size_t i = 0; i < frames.size(); ++i)
        if (kSheets[i].number)
            catalogue.push_back({kSheets[i].number, kSheets[i].name, kSheets[i].size, kSheets[i].scale});
    for (size_t i = 0; i < frames.size(); ++i) {
        if (kSheets[i].draw) kSheets[i].draw(d, sym, frames[i]);
        else catalogueRows(d, frames[i], catalogue, L"2026.11");
    }
    return true;
}

}  // namespace mksamples
