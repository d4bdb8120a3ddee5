// The sample template drawings and the project drawing as shipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "../host/dxf/ezdxf_check.h"
#include "acdb.h"

namespace {

const std::string kSamples = std::string(VX_SOURCE_DIR) + "/samples";
const char* const kFiles[] = {"templates/utf8/TK.dxf", "templates/gbk/TK.dxf", "drawings/project.dxf"};

std::unique_ptr<AcDbDatabase> readSample(const std::string& rel) {
    auto db = std::make_unique<AcDbDatabase>(false, true);
    EXPECT_EQ(db->readDwgFile(vxtest::wide(kSamples + "/" + rel).c_str()), Acad::eOk) << rel;
    EXPECT_TRUE(db->readAudit().empty()) << rel;
    return db;
}

// The title-block items of the sample description ([TKATT] ITEMn=...).
std::vector<std::wstring> titleBlockItems() {
    std::ifstream in(kSamples + "/templates/utf8/TKATT.ini");
    std::string line;
    bool inSection = false;
    std::vector<std::wstring> items;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') inSection = line.rfind("[TKATT]", 0) == 0;
        else if (inSection && line.rfind("ITEM", 0) == 0) items.push_back(vxtest::wide(line.substr(line.find('=') + 1)));
    }
    return items;
}

std::vector<std::wstring> attdefTags(AcDbDatabase* db, const wchar_t* block) {
    std::vector<std::wstring> tags;
    AcDbObjectPointer<AcDbBlockTable> bt(db->blockTableId());
    AcDbObjectId id;
    if (bt->getAt(block, id) != Acad::eOk) return tags;
    for (AcDbEntity* e : AcDbBlockTableRecord::cast(id.object())->entities())
        if (auto* d = AcDbAttributeDefinition::cast(e)) tags.push_back(d->tag().str());
    return tags;
}

AcDbBlockReference* referenceOf(AcDbDatabase* db, const wchar_t* block) {
    for (AcDbEntity* e : AcDbBlockTableRecord::cast(db->modelSpaceId().object())->entities())
        if (auto* r = AcDbBlockReference::cast(e)) {
            AcDbObjectPointer<AcDbBlockTableRecord> b(r->blockTableRecord());
            if (b->name() == AcString(block)) return r;
        }
    return nullptr;
}

TEST(Samples, RegeneratingGivesTheShippedBytes) {
    std::string dir = vxtest::tempDir("mksamples");
    ASSERT_EQ(std::system((std::string(VX_MKSAMPLES) + " " + dir + " > /dev/null").c_str()), 0);
    for (const char* f : kFiles) {
        std::string shipped = vxtest::readFile(kSamples + "/" + f);
        ASSERT_FALSE(shipped.empty()) << f;
        EXPECT_TRUE(vxtest::readFile(dir + "/" + f) == shipped) << f << " differs from what mksamples writes";
    }
}

// The catalogue sheet is drawn for the sample description's TZML: a column line at the first
// cell's left edge and after every width, a row line at the first row's top and every row pitch
// below, for maxNUm rows; so the catalogue's texts, placed from the same numbers, land in cells.
TEST(Samples, TheCatalogueSheetsGridIsTheSampleLayout) {
    for (const char* tk : {"templates/utf8/TK.dxf", "templates/gbk/TK.dxf"}) {
        std::string out;
        const std::string script = R"PY(
import configparser, ezdxf
cfg = configparser.ConfigParser(interpolation=None)
cfg.read(')PY" + kSamples + R"PY(/templates/utf8/TKATT.ini', encoding='utf-8')
t = cfg['TZML']
lens = [int(v) for v in t['lens'].split(',')]
x0, top, pitch, rows = float(t['disOffX']), float(t['disOffY']), int(t['rowHeight']), int(t['maxNUm'])
x1, bottom = x0 + sum(lens), top - pitch * rows
blk = ezdxf.readfile(')PY" + kSamples + "/" + tk + R"PY(').blocks.get('CODE-目录单')
xs, ys = set(), set()
for e in blk.query('LINE LWPOLYLINE'):
    if e.dxftype() == 'LINE':
        segs = [((e.dxf.start.x, e.dxf.start.y), (e.dxf.end.x, e.dxf.end.y))]
    else:
        p = list(e.get_points('xy'))
        segs = list(zip(p, p[1:] + (p[:1] if e.closed else [])))
    for a, b in segs:
        if abs(a[0] - b[0]) < 1e-6 and min(a[1], b[1]) <= bottom + 1e-6 and max(a[1], b[1]) >= top - 1e-6:
            xs.add(round(a[0], 3))
        if abs(a[1] - b[1]) < 1e-6 and min(a[0], b[0]) <= x0 + 1e-6 and max(a[0], b[0]) >= x1 - 1e-6:
            ys.add(round(a[1], 3))
want_x = {round(x0 + sum(lens[:k]), 3) for k in range(len(lens) + 1)}
want_y = {round(top - pitch * k, 3) for k in range(rows + 1)}
print('missing_x=%r' % sorted(want_x - xs))
print('missing_y=%r' % sorted(want_y - ys))
print('columns=%d' % len(lens))
)PY";
        ASSERT_EQ(vxtest::runPython(script, out), 0) << out;
        EXPECT_NE(out.find("missing_x=[]"), std::string::npos) << tk << ": " << out;
        EXPECT_NE(out.find("missing_y=[]"), std::string::npos) << tk << ": " << out;
        EXPECT_NE(out.find("columns=5"), std::string::npos) << out;
    }
}

TEST(Samples, EzdxfReadsEveryFileWithoutAuditErrors) {
    for (const char* f : kFiles) {
        auto r = vxtest::inspect(kSamples + "/" + f, {{"ver", "doc.dxfversion"}, {"enc", "doc.encoding"}});
        ASSERT_EQ(r.count("python_error"), 0u) << f << ": " << r["python_error"];
        EXPECT_EQ(r["audit_errors"], "0") << f << ": " << r["audit_message"];
        EXPECT_EQ(r["dup_handles"], "0") << f;
        EXPECT_EQ(r["seed_low"], "0") << f;
        EXPECT_EQ(r["dangling"], "0") << f;
        if (std::string(f) == "templates/gbk/TK.dxf") {
            EXPECT_EQ(r["ver"], "AC1015");
            EXPECT_EQ(r["enc"], "gbk");
        } else {
            EXPECT_EQ(r["ver"], "AC1024");
        }
    }
}

TEST(Samples, BothTemplatesHoldTheFramesOnceEachWithTheTitleBlockFields) {
    auto utf8 = readSample("templates/utf8/TK.dxf");
    auto gbk = readSample("templates/gbk/TK.dxf");
    std::vector<std::wstring> items = titleBlockItems();
    ASSERT_EQ(items.size(), 12u);
    const struct {
        const wchar_t* name;
        double w, h;
    } sheets[] = {{L"CODE-A0", 118900, 84100}, {L"CODE-A1", 84100, 59400}, {L"CODE-A2", 59400, 42000},
                  {L"CODE-A3", 42000, 29700},  {L"CODE-A4", 29700, 21000}, {L"CODE-目录单", 21000, 29700}};
    for (AcDbDatabase* db : {utf8.get(), gbk.get()}) {
        for (const auto& s : sheets) {
            AcDbBlockReference* r = referenceOf(db, s.name);
            ASSERT_TRUE(r);
            AcDbExtents ext;
            ASSERT_EQ(r->getGeomExtents(ext), Acad::eOk);
            EXPECT_NEAR(ext.maxPoint().x - ext.minPoint().x, s.w, 1e-6);
            EXPECT_NEAR(ext.maxPoint().y - ext.minPoint().y, s.h, 1e-6);
        }
        std::vector<std::wstring> tags = attdefTags(db, L"CODE-A1");
        for (const wchar_t* must : {L"图号", L"图名"})
            EXPECT_NE(std::find(tags.begin(), tags.end(), must), tags.end());
        for (const std::wstring& item : items) EXPECT_NE(std::find(tags.begin(), tags.end(), item), tags.end());
    }
    EXPECT_EQ(attdefTags(utf8.get(), L"CODE-A3"), attdefTags(gbk.get(), L"CODE-A3"));
}

TEST(Samples, ProjectHoldsTwelveFilledFramesOnTheFrameLayer) {
    auto db = readSample("drawings/project.dxf");
    int frames = 0, other = 0;
    for (AcDbEntity* e : AcDbBlockTableRecord::cast(db->modelSpaceId().object())->entities()) {
        auto* r = AcDbBlockReference::cast(e);
        if (!r) {
            ++other;
            continue;
        }
        ++frames;
        EXPECT_EQ(r->layer(), AcString(L"C-TK"));
        std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
        std::map<std::wstring, std::wstring> m;
        for (; !it->done(); it->step()) {
            auto* a = AcDbAttribute::cast(it->objectId().object());
            m[a->tag().str()] = a->textString().str();
        }
        wchar_t number[16];
        std::swprintf(number, 16, L"建施-%02d", frames);
        EXPECT_EQ(m[L"图号"], number);
        EXPECT_FALSE(m[L"图名"].empty());
        EXPECT_EQ(m[L"工程名称"], L"滨江花园住宅小区");
    }
    EXPECT_EQ(frames, 12);
    EXPECT_GT(other, 50);  // walls, columns and room names
}

}  // namespace
