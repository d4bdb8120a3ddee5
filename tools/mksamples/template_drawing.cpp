// The template drawing: frame blocks at ISO sizes with a title block of attribute definitions,
// and the catalogue sheet laid out for the sample description's TZML section.
#include <string>

#include "drawings.h"
#include "kit.h"

namespace mksamples {

namespace {

struct Sheet {
    const wchar_t* name;
    double w, h;  // millimetres, landscape
};
// A0..A4 and the lengthened sheets (long side plus a quarter or a half). Those are written
// "A1+1-4" rather than "A1+1/4": "/" is one of the characters CAD hosts refuse in symbol names.
const Sheet kSheets[] = {
    {L"A0", 1189, 841},     {L"A1", 841, 594},      {L"A2", 594, 420},
    {L"A3", 420, 297},      {L"A4", 297, 210},      {L"A0+1-4", 1486, 841},
    {L"A1+1-4", 1051, 594}, {L"A1+1-2", 1261, 594}, {L"A2+1-4", 743, 420},
    {L"A2+1-2", 891, 420},
};

// Title-block rows from the bottom: label, attribute tag. The drawing number and name take the
// two lowest rows; the office's fields follow.
const wchar_t* const kFields[] = {
    L"图号", L"图名", L"比例", L"日期", L"阶段", L"审定", L"审核", L"校对",
    L"设计", L"专业负责人", L"项目负责人", L"子项名称", L"建设单位", L"工程名称",
};

struct Styles {
    AcDbObjectId hz, hei;
};

// Title block at the inner border's lower right: 180 x 70 mm, label column 40 mm.
void titleBlock(AcDbObjectId block, double right, double bottom, const Styles& s) {
    const double u = kUnits, w = 180 * u, rows = sizeof kFields / sizeof kFields[0], rh = 5 * u;
    const double x0 = right - w, labelW = 40 * u;
    append(block, rectangle(x0, bottom, right, bottom + rows * rh), L"TK-外框");
    append(block, line(x0 + labelW, bottom, x0 + labelW, bottom + rows * rh), L"TK-内框");
    for (int r = 0; r < rows; ++r) {
        double y = bottom + r * rh;
        if (r > 0) append(block, line(x0, y, right, y), L"TK-内框");
        append(block, text(x0 + labelW / 2, y + 1.5 * u, 2.5 * u, kFields[r], s.hz, true), L"TK-文字");
        append(block, attdef(x0 + labelW + (w - labelW) / 2, y + 1.5 * u, (r < 2 ? 3 : 2.5) * u, kFields[r], s.hz),
               L"TK-文字");
    }
}

bool frameBlock(AcDbDatabase& db, const Sheet& sh, const Styles& s) {
    const double u = kUnits, w = sh.w * u, h = sh.h * u;
    const double margin = (sh.w >= 594 ? 10 : 5) * u, binding = 25 * u;
    std::wstring name = std::wstring(kOrganisation) + L"-" + sh.name;
    AcDbObjectId b = addBlock(db, name.c_str());
    if (b.isNull()) return false;
    append(b, rectangle(0, 0, w, h), L"TK-外框");
    append(b, rectangle(binding, margin, w - margin, h - margin), L"TK-外框");
    titleBlock(b, w - margin, margin, s);
    // Centring marks on the four sides.
    append(b, line(w / 2, 0, w / 2, margin), L"TK-内框");
    append(b, line(w / 2, h - margin, w / 2, h), L"TK-内框");
    append(b, line(0, h / 2, binding, h / 2), L"TK-内框");
    append(b, line(w - margin, h / 2, w, h / 2), L"TK-内框");
    return true;
}

// The catalogue sheet: A4 upright; five columns of 3000, 9000, 2000, 2000, 2500 units from
// x = 1250, the first row's top at y = 26000, 25 rows of 800 (the sample's TZML), under a header
// row with the column titles; below the grid the project's fields, filled like a frame's.
bool catalogueBlock(AcDbDatabase& db, const Styles& s) {
    std::wstring name = std::wstring(kOrganisation) + L"-目录单";
    AcDbObjectId b = addBlock(db, name.c_str());
    if (b.isNull()) return false;
    const double W = 21000, H = 29700, x0 = 1250, top = 26000, row = 800;
    const double lens[] = {3000, 9000, 2000, 2000, 2500};
    const wchar_t* titles[] = {L"图号", L"图名", L"图幅", L"比例", L"日期"};
    double x1 = x0;
    for (double l : lens) x1 += l;
    const double bottom = top - 25 * row;
    append(b, rectangle(0, 0, W, H), L"TK-外框");
    append(b, rectangle(x0 - 250, 500, W - 500, H - 500), L"TK-外框");
    append(b, text(W / 2, 27900, 700, L"图 纸 目 录", s.hei, true), L"TK-文字");
    append(b, attdef(W / 2, 27100, 350, L"工程名称", s.hz), L"TK-文字");
    // Header row above the first row, then the grid; every text sits in the middle of its cell.
    append(b, rectangle(x0, bottom, x1, top + row), L"TK-外框");
    for (int r = 0; r <= 25; ++r) append(b, line(x0, bottom + r * row, x1, bottom + r * row), L"TK-内框");
    double x = x0;
    for (int c = 0; c < 5; ++c) {
        append(b, text(x + lens[c] / 2, top + row / 2, 350, titles[c], s.hei, true), L"TK-文字");
        x += lens[c];
        if (c < 4) append(b, line(x, bottom, x, top + row), L"TK-内框");
    }
    // Two rows of label and field pairs: the project's fields of the title blocks.
    const double infoTop = bottom - 1000, label = 2500, field = (x1 - x0) / 2 - label;
    const wchar_t* info[2][2] = {{L"建设单位", L"子项名称"}, {L"阶段", L"日期"}};
    append(b, rectangle(x0, infoTop - 2 * row, x1, infoTop), L"TK-外框");
    append(b, line(x0, infoTop - row, x1, infoTop - row), L"TK-内框");
    for (int r = 0; r < 2; ++r) {
        const double y = infoTop - r * row - row / 2;
        for (int c = 0; c < 2; ++c) {
            const double left = x0 + c * (label + field);
            append(b, text(left + label / 2, y, 300, info[r][c], s.hz, true), L"TK-文字");
            append(b, attdef(left + label + field / 2, y, 300, info[r][c], s.hz), L"TK-文字");
        }
    }
    for (double at : {x0 + label, x0 + label + field, x0 + 2 * label + field})
        append(b, line(at, infoTop - 2 * row, at, infoTop), L"TK-内框");
    return true;
}

}  // namespace

bool buildTemplate(AcDbDatabase& db) {
    addLayer(db, L"C-TK", 7);
    addLayer(db, L"TK-外框", 7);
    addLayer(db, L"TK-内框", 8);
    addLayer(db, L"TK-文字", 7);
    Styles s;
    s.hz = addTextStyle(db, L"HZ", L"simplex.shx", L"hztxt.shx", 0.7);
    s.hei = addTextStyle(db, L"黑体", L"simhei.ttf", nullptr, 1.0);
    if (s.hz.isNull() || s.hei.isNull()) return false;
    for (const Sheet& sh : kSheets)
        if (!frameBlock(db, sh, s)) return false;
    if (!catalogueBlock(db, s)) return false;
    // One reference of each block, side by side on the frame layer, as offices keep them.
    AcDbObjectPointer<AcDbBlockTable> bt(db.blockTableId());
    std::vector<AcDbObjectId> blocks;
    for (const Sheet& sh : kSheets) {
        AcDbObjectId id;
        bt->getAt((std::wstring(kOrganisation) + L"-" + sh.name).c_str(), id);
        blocks.push_back(id);
    }
    AcDbObjectId cat;
    bt->getAt((std::wstring(kOrganisation) + L"-目录单").c_str(), cat);
    blocks.push_back(cat);
    bt.close();
    double x = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (insertWithAttributes(db, blocks[i], AcGePoint3d(x, 0, 0), L"C-TK").isNull()) return false;
        x += (i < sizeof kSheets / sizeof kSheets[0] ? kSheets[i].w * kUnits : 21000) + 10000;
    }
    return true;
}

}  // namespace mksamples
