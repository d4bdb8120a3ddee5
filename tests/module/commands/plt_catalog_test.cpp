#include "commands/plt_catalog.h"

#include <filesystem>
#include <fstream>

#include "commands/plt_catalog_dlg.h"
#include "commands_fixture.h"
#include "settings/settings.h"

namespace vorlix::test {
namespace {

namespace fs = std::filesystem;

CatalogueLayout layoutWith(std::vector<int> lens, double disOffX = 0, double disOffY = 1000) {
    CatalogueLayout l;
    for (size_t i = 0; i < lens.size(); ++i) l.atts.push_back(L"T" + std::to_wstring(i));
    l.lens = std::move(lens);
    l.disOffX = disOffX;
    l.disOffY = disOffY;
    l.rowHeight = 800;
    l.fontsize = 300;
    l.maxNUm = 25;
    return l;
}

std::vector<CatalogueRow> rows(int n, size_t columns) {
    std::vector<CatalogueRow> out(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out[static_cast<size_t>(i)].cells.assign(columns, std::to_wstring(i));
    return out;
}

TEST(CatalogueSortKey, TheLastTwoCharactersReadAsADecimalInteger) {
    EXPECT_EQ(drawingNumberSortKey(L"S-01"), 1);
    EXPECT_EQ(drawingNumberSortKey(L"S-12"), 12);
    EXPECT_EQ(drawingNumberSortKey(L"S-112"), 12);
    EXPECT_EQ(drawingNumberSortKey(L"S-5"), -5);
    EXPECT_EQ(drawingNumberSortKey(L"A"), 0);
    EXPECT_EQ(drawingNumberSortKey(L""), 0);
    EXPECT_EQ(drawingNumberSortKey(L"  JS-07 \t"), 7) << "blanks around the number do not count";
    EXPECT_EQ(drawingNumberSortKey(L"S-1a"), 1) << "digits up to the first other character";
}

TEST(CatalogueSortKey, RowsSortByTheKeyOfTheirNumberCellAndEqualKeysKeepTheirOrder) {
    std::vector<CatalogueRow> r;
    for (const wchar_t* n : {L"S-10", L"S-02", L"X-02", L"S-1", L"S-20", L"S-112"}) r.push_back({{L"名", n}, true});
    sortCatalogueRows(r, 1);
    std::vector<std::wstring> order;
    for (const auto& row : r) order.push_back(row.cells[1]);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"S-1", L"S-02", L"X-02", L"S-10", L"S-112", L"S-20"}));
    EXPECT_EQ(drawingNumberTitle({L"<图名>", L"<图号>", L"旧图号", L"比例"}), 2u);
    EXPECT_EQ(drawingNumberTitle({L"<图名>", L"比例"}), 0u);
}

TEST(CatalogueCells, TitlesNameAttributesAndTheSheetSizeComesFromTheBlockName) {
    const AttributeMap atts{{L"图号", L"S-01"}, {L"<图名>", L"literal"}};
    EXPECT_EQ(columnTag(L"<<图号>>"), L"图号");
    EXPECT_EQ(columnTag(L"图<号>"), L"图<号");
    EXPECT_EQ(cellText(L"<图号>", L"CODE-A1", atts), L"S-01");
    EXPECT_EQ(cellText(L"比例", L"CODE-A1", atts), L"");
    EXPECT_EQ(cellText(L"<图幅>", L"CODE-A1+1-4", atts), L"A1+1-4") << "after the first '-'";
    EXPECT_EQ(cellText(L"图幅", L"FRAME", atts), L"FRAME");
}

TEST(CatalogueSheet, TextsStandAtTheColumnMiddlesWithTheHalvesFractionsDropped) {
    CatalogueLayout l = layoutWith({1000, 3000, 2000});
    std::vector<CatalogueRow> r = rows(2, 3);
    auto texts = planSheet(l, AcGePoint3d(100, 200, 0), r, 25);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0].at, AcGePoint3d(600, 800, 0));
    EXPECT_EQ(texts[1].at, AcGePoint3d(2600, 800, 0));
    EXPECT_EQ(texts[2].at, AcGePoint3d(5100, 800, 0));
    EXPECT_EQ(texts[3].at, AcGePoint3d(600, 0, 0)) << "the second row 800 lower";
    l = layoutWith({1001, 3001}, 0.5, 1000);
    l.rowHeight = 801;
    r = rows(1, 2);
    texts = planSheet(l, AcGePoint3d(0, 0, 0), r, 25);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].at, AcGePoint3d(500.5, 600, 0));
    EXPECT_EQ(texts[1].at, AcGePoint3d(2500.5, 600, 0));
}

TEST(CatalogueSheet, SixtyRowsPageIntoTwentyFiveTwentyFiveTenAndNothing) {
    CatalogueLayout l = layoutWith({3000, 9000});
    std::vector<CatalogueRow> r = rows(60, 2);
    r[3].ticked = false;  // an unticked row is never written and does not count
    std::vector<size_t> sizes;
    for (int sheet = 0; sheet < 4; ++sheet) sizes.push_back(planSheet(l, AcGePoint3d(), r, 25).size() / 2);
    EXPECT_EQ(sizes, (std::vector<size_t>{25, 25, 9, 0}));
    for (const auto& row : r) EXPECT_FALSE(row.ticked);
    std::vector<CatalogueRow> again = rows(3, 2);
    auto texts = planSheet(l, AcGePoint3d(), again, 25);
    EXPECT_EQ(texts[0].text, L"0");
    EXPECT_EQ(texts[5].text, L"2");
}

TEST(CatalogueSheet, RowsPerSheetAndTheLayoutsThatCannotMakeATable) {
    EXPECT_EQ(rowsPerSheet(0, 25), 25);
    EXPECT_EQ(rowsPerSheet(7, 25), 7);
    EXPECT_EQ(rowsPerSheet(0, 0), 25) << "no office asks for sheets without rows";
    EXPECT_EQ(rowsPerSheet(-3, 10), 10);
    EXPECT_EQ(catalogueLayoutProblem(layoutWith({1, 2})), L"");
    EXPECT_NE(catalogueLayoutProblem(layoutWith({})).find(L"atts"), std::wstring::npos);
    CatalogueLayout shortLens = layoutWith({1, 2});
    shortLens.atts.push_back(L"third");
    EXPECT_NE(catalogueLayoutProblem(shortLens).find(L"lens"), std::wstring::npos);
    EXPECT_NE(catalogueLayoutProblem(layoutWith(std::vector<int>(30, 100))).find(L"29"), std::wstring::npos);
    EXPECT_EQ(catalogueLayoutProblem(layoutWith(std::vector<int>(29, 100))), L"");
}

// The catalogue dialog over a working drawing, with an office's template folder on disk.
class CatalogueDialog : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        useDialogs();
        std::string pattern = (fs::temp_directory_path() / "vx-catalogue-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
        fs::create_directories(scratch / "module");
        fs::create_directories(scratch / "tpl");
        settings().reset();
        settings().computeLocations((scratch / "module" / "VorlixDesign.arx").wstring());
    }
    void TearDown() override {
        CommandsTest::TearDown();
        settings().reset();
        std::error_code ec;
        fs::remove_all(scratch, ec);
    }
    void office(const std::string& code, const std::string& tzml, bool withSheetBlock = true) {
        std::ofstream(scratch / "module" / "SHEETCONFIG.INI")
            << "[SYSEMSET]\nSHEETTEMPPATH=" << (scratch / "tpl").string() << "\nDEPARTCODE=" << code << "\n";
        std::ofstream(scratch / "tpl" / "TKATT.ini") << "[TZML]\n" << tzml;
        AcDbDatabase tpl;
        AcDbObjectId sheetBlock;
        {
            AcDbBlockTable* t = nullptr;
            ASSERT_EQ(tpl.getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
            auto* rec = new AcDbBlockTableRecord;
            rec->setName(withSheetBlock ? L"CODE-目录单" : L"CODE-A4");
            ASSERT_EQ(t->add(sheetBlock, rec), Acad::eOk);
            auto* border = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(5000, 0, 0));
            rec->appendAcDbEntity(border);
            border->close();
            rec->close();
            t->close();
        }
        AcDbObjectPointer<AcDbBlockTableRecord> ms(tpl.modelSpaceId(), AcDb::kForWrite);
        auto* ref = new AcDbBlockReference(AcGePoint3d(9000, 0, 0), sheetBlock);
        ms->appendAcDbEntity(ref);
        ref->close();
        ms.close();
        ASSERT_EQ(tpl.saveAs((scratch / "tpl" / "TK.dxf").wstring().c_str()), Acad::eOk);
        // A fresh record: a description without titles keeps the lists of the previous load.
        settings().reset();
        settings().computeLocations((scratch / "module" / "VorlixDesign.arx").wstring());
        settings().reload();
    }
    // (text, x, y) of every model-space text, in drawing order.
    std::vector<std::tuple<std::wstring, double, double>> texts() {
        std::vector<std::tuple<std::wstring, double, double>> out;
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
        for (AcDbEntity* e : ms->entities())
            if (auto* t = AcDbText::cast(e); t && !e->isErased())
                out.emplace_back(t->textString().str(), t->alignmentPoint().x, t->alignmentPoint().y);
        return out;
    }
    int sheets() {
        int n = 0;
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
        for (AcDbEntity* e : ms->entities())
            if (AcDbBlockReference::cast(e) && !e->isErased() && e->layer() == AcString(L"C-TK") &&
                blockNameOf(e) == L"CODE-目录单")
                ++n;
        return n;
    }
    static std::wstring blockNameOf(AcDbEntity* e) {
        AcDbObjectPointer<AcDbBlockTableRecord> b(AcDbBlockReference::cast(e)->blockTableRecord(), AcDb::kForRead);
        return b.openStatus() == Acad::eOk ? b->name().str() : L"";
    }
    fs::path scratch;
};

TEST_F(CatalogueDialog, RefusalsSayWhyAndAddNothing) {
    frame(0, 0, {{L"图号", L"S-01"}});
    // No template folder: the dialog opens, the insertion is refused at once.
    answers({L"click 167", L"click 166", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"[消息] 请现在系统设置中设置图框模板所在路径！"));
    office("", "atts=图号\nlens=100\n");
    answers({L"click 166", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"[消息] 请先在<系统设置>中设置单位代码！"));
    office("CODE", "atts=图号,图名\nlens=100\n");
    answers({L"click 166", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"[消息] 目录的列宽（TZML 的 lens）少于目录的列数，无法插入目录！"));
    office("CODE", "lens=100\n");
    answers({L"click 166", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"[消息] 模板说明文件没有设置目录的列（TZML 的 atts），无法插入目录！"));
    office("CODE", "atts=图号\nlens=100\n", false);
    answers({L"click 166", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"[消息] 在图框中未找到对应目录单，请确认图框模板中是否存在CODE-目录单图框块!"));
    office("CODE", "atts=图号\nlens=100\n");
    answers({L"click 167", L"set 179 101", L"click 166", L"set 179 -1", L"click 166", L"set 179 0", L"click 166",
             L"ESC", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"请输入一个介于 0 和 100 之间的整数。"));
    EXPECT_EQ(sheets(), 0) << "a refused field and a cancelled drag leave no sheet";
    EXPECT_TRUE(texts().empty());
}

TEST_F(CatalogueDialog, MovingRowsKeepsTheirTicksAndTheEndsSaySo) {
    office("CODE", "atts=<图号>\nlens=100\n");
    frame(0, 0, {{L"图号", L"S-01"}});
    frame(500, 0, {{L"图号", L"S-02"}});
    frame(1000, 0, {{L"图号", L"S-03"}});
    answers({L"click 167", L"click 355", L"select 138 0", L"click 355", L"select 138 2", L"click 356",
             L"tick 138 1 off", L"select 138 1", L"click 355", L"click 356", L"click 356", L"show", L"check 358 off",
             L"show", L"close"});
    runPltCatalogDialog();
    EXPECT_TRUE(saw(L"[消息] 已经位于第一行!"));
    EXPECT_TRUE(saw(L"[消息] 已经位于最后一行!"));
    EXPECT_TRUE(saw(L"0 [x]  | S-01\n      1 [x]  | S-03\n      2 [ ] (selected)  | S-02")) << transcript;
    EXPECT_TRUE(saw(L"0 [ ]  | S-01\n      1 [ ]  | S-03\n      2 [ ] (selected)  | S-02"))
        << "全选 off unticks every row";
}

}  // namespace
}  // namespace vorlix::test
