#include "batchplot/plot_rows.h"

#include "../frames/frames_fixture.h"
#include "batchplot/plot_devices.h"

namespace vorlix::test {
namespace {

class PlotRowsTest : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        addLayer(L"C-TK", 7);
    }
};

TEST_F(PlotRowsTest, OneRowPerBlockReferenceKnowingItsPlaceInTheFrameList) {
    FrameList frames;
    frames.append(frame(L"C-TK", 0, 0, {{L"图号", L"S-12"}, {L"图名", L"十二"}}, L"TK-A1"));
    frames.append(line(L"C-TK", 0, 0, 10, 10));
    frames.append(frame(L"C-TK", 1000, 0, {{L"图名", L"无号"}, {L"图号", L"S-3"}}, L"TK-目录A4"));
    frames.append(frame(L"C-TK", 2000, 0, {}, L"CODE-A1+1-4"));
    frames.append(frame(L"C-TK", 3000, 0, {{L"图号", L"S-07"}, {L"图名", L"七\n层"}}, L"A3"));
    std::vector<PlotRow> rows = plotRows(frames, L"<图号>_<图名>");
    ASSERT_EQ(rows.size(), 4u) << "the line gets no row";
    EXPECT_EQ(rows[0].position, 0);
    EXPECT_EQ(rows[0].paperSize, L"A1");
    EXPECT_EQ(rows[0].fileName, L"S-12_十二");
    EXPECT_EQ(rows[1].position, 2) << "the line still counts";
    EXPECT_EQ(rows[1].number, L"S-3");
    EXPECT_EQ(rows[1].name, L"无号");
    EXPECT_EQ(rows[1].paperSize, L"A4");
    EXPECT_EQ(rows[2].fileName, L"A1+1-4(3)");
    EXPECT_EQ(rows[2].paperSize, L"A1+1-4");
    EXPECT_EQ(rows[3].fileName, L"S-07_七层");

    sortPlotRows(rows);
    std::vector<int> order;
    for (const PlotRow& r : rows) order.push_back(r.position);
    // Keys: S-12 12, S-3 3, no number 0, S-07 7.
    EXPECT_EQ(order, (std::vector<int>{3, 2, 4, 0}));
}

TEST_F(PlotRowsTest, EqualKeysKeepTheFrameListOrder) {
    FrameList frames;
    for (const wchar_t* n : {L"B-02", L"A-02", L"C-1", L"D-02"}) frames.append(frame(L"C-TK", 0, 0, {{L"图号", n}}));
    std::vector<PlotRow> rows = plotRows(frames, L"<图号>");
    sortPlotRows(rows);
    std::vector<std::wstring> numbers;
    for (const PlotRow& r : rows) numbers.push_back(r.number);
    EXPECT_EQ(numbers, (std::vector<std::wstring>{L"C-1", L"B-02", L"A-02", L"D-02"}));
}

TEST_F(PlotRowsTest, AnErasedFrameGetsNoRow) {
    FrameList frames;
    frames.append(frame(L"C-TK", 0, 0, {{L"图号", L"1"}}));
    frames.append(frame(L"C-TK", 0, 0, {{L"图号", L"2"}}));
    {
        AcDbObjectPointer<AcDbEntity> e(frames[0], AcDb::kForWrite);
        ASSERT_EQ(e->erase(), Acad::eOk);
    }
    const std::vector<PlotRow> rows = plotRows(frames, L"<图号>");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].position, 1);
}

TEST(PlotDeviceList, SystemAndWebDevicesAreNotOffered) {
    const std::vector<std::wstring> host{L"None", L"Microsoft Print to PDF", L"Default Windows System Printer.pc3",
                                         L"DWF6 ePlot.pc3", L"DWFx ePlot (XPS Compatible).pc3", L"PublishToWeb PNG.pc3",
                                         L"DWG TO PDF.pc3", L"microsoft-like queue", L"Office HP"};
    EXPECT_EQ(offeredDevices(host),
              (std::vector<std::wstring>{L"None", L"DWG TO PDF.pc3", L"microsoft-like queue", L"Office HP"}))
        << "names compare case-sensitively";
}

}  // namespace
}  // namespace vorlix::test
