#include "details.h"

#include <map>

#include "annotation.h"
#include "building.h"
#include "plans.h"

namespace mksamples {

using namespace building;

namespace {

const wchar_t* const kNoteColumns[] = {
    L"一、设计依据\\P"
    L"1. 建设单位提供的设计任务书及方案批复文件。\\P"
    L"2. 《民用建筑设计统一标准》GB 50352-2019。\\P"
    L"3. 《住宅设计规范》GB 50096-2011。\\P"
    L"4. 《建筑设计防火规范》GB 50016-2014（2018年版）。\\P"
    L"5. 《严寒和寒冷地区居住建筑节能设计标准》JGJ 26-2018。\\P"
    L"\\P二、工程概况\\P"
    L"1. 本工程为滨江花园住宅小区 1#住宅楼，地上六层，三个单元，一梯两户。\\P"
    L"2. 总建筑面积 4270.5m2，建筑高度 18.45m，为多层住宅。\\P"
    L"3. 结构形式为框架结构，抗震设防烈度 7 度，设计使用年限 50 年。\\P"
    L"4. 耐火等级二级，屋面防水等级 II 级。\\P"
    L"\\P三、设计标高\\P"
    L"1. 本工程 ±0.000 相当于绝对标高 45.300，室内外高差 450。\\P"
    L"2. 各层标注标高为建筑完成面标高，屋面标高为结构面标高。\\P"
    L"3. 本工程标高以 m 为单位，其余尺寸以 mm 为单位。",

    L"四、墙体工程\\P"
    L"1. 外墙采用 200 厚加气混凝土砌块，M5 混合砂浆砌筑。\\P"
    L"2. 内隔墙采用 100 厚轻质条板，卫生间隔墙根部做 200 高 C20 混凝土翻边。\\P"
    L"3. 墙身防潮层设于 -0.060 处，20 厚 1:2 水泥砂浆内掺 5% 防水剂。\\P"
    L"4. 预留洞口及管井待设备安装完毕后用 C20 细石混凝土封堵。\\P"
    L"\\P五、屋面工程\\P"
    L"1. 屋面做法：40 厚 C20 细石混凝土保护层，3+3 厚 SBS 改性沥青防水卷材，\\P"
    L"   20 厚 1:3 水泥砂浆找平层，最薄 30 厚轻集料混凝土找坡 2%，80 厚挤塑聚苯板保温层。\\P"
    L"2. 女儿墙泛水高度不小于 250，雨水口周边 500 范围内坡度不小于 5%。\\P"
    L"\\P六、门窗工程\\P"
    L"1. 外窗采用断桥铝合金中空玻璃窗（6+12A+6），传热系数不大于 2.2。\\P"
    L"2. 门窗立樘位置除注明外均居墙中，门窗数量及规格详见建施-02 门窗表。\\P"
    L"3. 窗台低于 900 时设防护栏杆，高度 900。\\P"
    L"4. 单元门为防盗对讲门，户门为乙级防火防盗门。",

    L"七、外装修工程\\P"
    L"1. 外墙饰面：浅灰色真石漆，白色外墙涂料线脚，详见立面图。\\P"
    L"2. 勒脚：深灰色仿石涂料，高出室外地坪 1050。\\P"
    L"3. 外装修材料须提供样板，经建设单位及设计单位确认后方可施工。\\P"
    L"\\P八、内装修工程\\P"
    L"1. 楼地面：客厅、卧室为 50 厚 C20 细石混凝土找平，面层由住户自理。\\P"
    L"2. 卫生间、厨房楼面做 1.5 厚聚氨酯防水涂膜，沿墙上翻 300，淋浴处上翻 1800。\\P"
    L"3. 楼梯间墙面及顶棚为白色乳胶漆，踏步面层为防滑地砖。\\P"
    L"\\P九、防火设计\\P"
    L"1. 每个单元设一部封闭楼梯间，通至屋面，户门至楼梯间距离小于 15m。\\P"
    L"2. 管道井每层在楼板处用相当于楼板耐火极限的不燃材料封堵。\\P"
    L"\\P十、其他\\P"
    L"1. 本说明未尽事宜，均按国家现行施工及验收规范执行。\\P"
    L"2. 施工中如发现图纸有误或与现场不符，应及时通知设计单位。",
};

// The schedule's columns: title and width in paper millimetres.
const struct {
    const wchar_t* title;
    double width;
} kColumns[] = {{L"类型", 16}, {L"设计编号", 26}, {L"洞口尺寸(宽×高)", 40}, {L"首层", 14}, {L"二至六层", 22},
                {L"合计", 14},  {L"采用图集", 40}, {L"备注", 56}};

struct Kind {
    const wchar_t* code;
    const wchar_t* type;
    const wchar_t* atlas;
    const wchar_t* remark;
};
const Kind kKinds[] = {
    {L"M1224", L"门", L"厂家定制", L"单元防盗对讲门"},
    {L"FM1021", L"门", L"12J4-2", L"乙级防火防盗户门"},
    {L"M0921", L"门", L"12J4-1 PM1-0921", L"木门，住户自理"},
    {L"M0821", L"门", L"12J4-1 PM1-0821", L"卫生间门，下设百叶"},
    {L"TLM2724", L"门", L"厂家定制", L"断桥铝合金推拉门"},
    {L"C1815", L"窗", L"厂家定制", L"断桥铝合金平开窗"},
    {L"C1515", L"窗", L"厂家定制", L"断桥铝合金平开窗"},
    {L"C1215", L"窗", L"厂家定制", L"书房及楼梯间窗"},
    {L"C0912", L"窗", L"厂家定制", L"卫生间窗，磨砂玻璃"},
};

std::wstring size(const wchar_t* code) {
    // The code's last four digits are width and height in decimetres.
    std::wstring c(code);
    const std::wstring digits = c.substr(c.size() - 4);
    return std::to_wstring(std::stoi(digits.substr(0, 2)) * 100) + L"×" +
           std::to_wstring(std::stoi(digits.substr(2)) * 100);
}

// How many openings of each code the building has on its ground floor and on each upper floor.
std::map<std::wstring, std::pair<int, int>> openingCounts() {
    std::map<std::wstring, std::pair<int, int>> counts;
    for (int k = 0; k < kStoreys; ++k)
        for (const Opening& o : floorPlan(k == 0 ? Level::Ground : Level::Typical).openings)
            if (builtOnStorey(o, k)) (k == 0 ? counts[o.code].first : counts[o.code].second) += 1;
    return counts;
}

// A table of lines and centred texts whose top left corner is (x0, top); column widths and row
// height in paper millimetres, a thick outline. Gives the table's bottom edge.
double table(const Sheet& s, double x0, double top, const std::vector<double>& widths,
             const std::vector<std::wstring>& head, const std::vector<std::vector<std::wstring>>& rows,
             double rowMm) {
    const double row = s.mm(rowMm), bottom = top - static_cast<double>(rows.size() + 1) * row;
    double width = 0;
    for (double w : widths) width += s.mm(w);
    s.polyline(L"表格", {{x0, top}, {x0 + width, top}, {x0 + width, bottom}, {x0, bottom}}, true, s.mm(0.5));
    for (size_t r = 1; r <= rows.size(); ++r)
        s.line(L"表格", x0, top - static_cast<double>(r) * row, x0 + width, top - static_cast<double>(r) * row);
    double x = x0;
    for (size_t c = 0; c < widths.size(); ++c) {
        const double w = s.mm(widths[c]), cx = x + w / 2;
        s.text(L"表格", cx, top - row / 2, 3.5, head[c], Align::Middle, 0, true);
        for (size_t r = 0; r < rows.size(); ++r)
            s.text(L"表格", cx, top - (static_cast<double>(r) + 1.5) * row, 3, rows[r][c], Align::Middle);
        x += w;
        if (c + 1 < widths.size()) s.line(L"表格", x, top, x, bottom);
    }
    return bottom;
}

// A window or glazed door of w x h seen from outside, lower left at the origin: frame, two
// casements under a fixed light, the opening one marked.
void windowElevation(const Sheet& s, double w, double h) {
    s.rect(L"门窗", 0, 0, w, h);
    s.rect(L"门窗", 50, 50, w - 50, h - 50);
    const double transom = h > 2000 ? h - 500 : h * 0.7, mid = w / 2;
    s.line(L"门窗", 50, transom, w - 50, transom);
    s.line(L"门窗", mid, 50, mid, transom);
    // The left casement opens: lines from its hinge side meet at the handle.
    s.polyline(L"门窗", {{50, 50}, {mid, (transom + 50) / 2}, {50, transom}}, false);
}

const struct {
    const wchar_t* room;
    const wchar_t* floor;
    const wchar_t* wall;
    const wchar_t* ceiling;
    const wchar_t* skirting;
} kFinishes[] = {
    {L"客厅、卧室、书房", L"细石混凝土楼面（毛坯）", L"混合砂浆墙面", L"板底腻子顶棚", L"—"},
    {L"厨房", L"防水楼面（毛坯）", L"水泥砂浆墙面", L"板底腻子顶棚", L"—"},
    {L"卫生间", L"防水楼面，完成面低 20", L"水泥砂浆墙面", L"板底腻子顶棚", L"—"},
    {L"楼梯间、门厅", L"防滑地砖楼面", L"白色乳胶漆墙面", L"白色乳胶漆顶棚", L"地砖踢脚 150"},
    {L"阳台", L"防水楼面，坡向地漏 1%", L"外墙涂料", L"外墙涂料顶棚", L"—"},
};

// The walls round one unit's stair bay (axes 3 and 4, B to D), with the flat doors and the
// north opening: the entrance door on the ground floor, the landing window above.
void stairBay(const Sheet& s, StairFloor floor) {
    const double w = 200, x0 = 7500, x1 = 10200, y0 = 5400, y1 = kDepth;
    auto wall = [&](double ax, double ay, double bx, double by) {
        s.polyline(L"墙体", {{ax, ay}, {bx, by}}, false, w);
    };
    for (double x : {x0, x1}) {
        wall(x, y0 - 100, x, 6300);
        wall(x, 7300, x, y1 + 100);
        // The flat doors open into the flats, away from the stair.
        const double side = x == x0 ? -1 : 1;
        s.line(L"门窗", x, 7300, x + side * 1000, 7300);
        s.arc(L"门窗", x, 7300, 1000, side < 0 ? 180 : 270, side < 0 ? 270 : 360);
    }
    wall(x0 - 100, y0, x1 + 100, y0);
    wall(x0 - 100, y1, 8250, y1);
    wall(9450, y1, x1 + 100, y1);
    if (floor == StairFloor::Ground) {
        for (double hinge : {8250.0, 9450.0}) {
            const double leaf = hinge < 8850 ? 1 : -1;
            s.line(L"门窗", hinge, y1, hinge, y1 + 600);
            s.arc(L"门窗", hinge, y1, 600, leaf > 0 ? 0 : 90, leaf > 0 ? 90 : 180);
        }
        s.text(L"门窗", 8850, y1 + 900, 3, L"M1224", Align::Middle);
    } else {
        s.rect(L"门窗", 8250, y1 - 100, 9450, y1 + 100);
        s.line(L"门窗", 8250, y1 - 33, 9450, y1 - 33);
        s.line(L"门窗", 8250, y1 + 33, 9450, y1 + 33);
        s.text(L"门窗", 8850, y1 + 600, 3, L"C1215", Align::Middle);
    }
    stair(s, 0, floor);
}

void stairPlan(const Sheet& s, const Symbols& sym, StairFloor floor, const std::wstring& title,
               const std::vector<std::wstring>& levels) {
    stairBay(s, floor);
    const std::pair<double, std::wstring> xs[] = {{7500, L"3"}, {10200, L"4"}};
    const std::pair<double, std::wstring> ys[] = {{5400, L"B"}, {8100, L"C"}, {kDepth, L"D"}};
    const double r = s.mm(4);
    for (const auto& [x, n] : xs) {
        axisBubble(s, x, 3400, n);
        s.line(L"轴线", x, 3400 + r, x, 5300);
    }
    for (const auto& [y, n] : ys) {
        axisBubble(s, 5400, y, n);
        s.line(L"轴线", 5400 + r, y, 7400, y);
    }
    s.dimensionChain({7500, 7600, 8750, 8950, 10100, 10200}, 5300, 4600, false);
    s.dimension(7500, 5300, 10200, 5300, 4100, false);
    s.dimensionChain({5400, kFlightY0, kFlightY1, kDepth}, 10300, 11000, true);
    s.dimension(10300, 5400, 10300, kDepth, 11500, true);
    levelMark(s, sym, 7900, 6600, levels);
    s.title(8850, 2300, title, L"1:50");
}

}  // namespace

void designNotes(Drawing& d, const Symbols&, const Frame& f) {
    Sheet s(d, {f.left(), f.top()}, 100);
    const double inner = f.right() - f.left();
    s.text(L"文字", inner / 2, -s.mm(25), 10, L"建 筑 设 计 说 明", Align::Centre, 0, true);
    const double column = (inner - s.mm(40)) / 3;
    for (int i = 0; i < 3; ++i)
        s.note(L"文字", s.mm(15) + i * (column + s.mm(5)), -s.mm(45), 4.5, column / kUnits - 5, kNoteColumns[i]);
    // The finishes schedule under the notes.
    const double x0 = s.mm(15);
    s.text(L"文字", x0, -s.mm(205), 6, L"室内装修做法表", Align::Left, 0, true);
    std::vector<std::vector<std::wstring>> rows;
    for (const auto& r : kFinishes) rows.push_back({r.room, r.floor, r.wall, r.ceiling, r.skirting});
    table(s, x0, -s.mm(212), {60, 80, 60, 60, 50}, {L"房间名称", L"楼地面", L"内墙面", L"顶棚", L"踢脚"}, rows, 9);
}

void doorWindowTable(Drawing& d, const Symbols&, const Frame& f) {
    Sheet s(d, {f.left(), f.top()}, 100);
    std::vector<double> widths;
    std::vector<std::wstring> head;
    double width = 0;
    for (const auto& c : kColumns) {
        widths.push_back(c.width);
        head.push_back(c.title);
        width += s.mm(c.width);
    }
    const double x0 = s.mm(15);
    s.text(L"文字", x0 + width / 2, -s.mm(16), 7, L"门 窗 表", Align::Centre, 0, true);
    const auto counts = openingCounts();
    std::vector<std::vector<std::wstring>> rows;
    for (const Kind& k : kKinds) {
        const auto n = counts.count(k.code) ? counts.at(k.code) : std::pair<int, int>{0, 0};
        rows.push_back({k.type, k.code, size(k.code), std::to_wstring(n.first), std::to_wstring(n.second),
                        std::to_wstring(n.first + n.second), k.atlas, k.remark});
    }
    const double bottom = table(s, x0, -s.mm(24), widths, head, rows, 7);
    s.text(L"文字", x0, bottom - s.mm(7), 3.5, L"注：1. 门窗洞口尺寸须现场核实后方可下料，门窗数量以本表为准。");
    s.text(L"文字", x0 + s.mm(7.7), bottom - s.mm(12), 3.5, L"2. 外窗气密性等级不低于 6 级，水密性等级不低于 3 级。");
    // Elevations of the windows at 1:50, seen from outside, under the schedule.
    const wchar_t* const shown[] = {L"C1815", L"C1515", L"C1215", L"C0912", L"TLM2724"};
    double x = s.mm(20);
    for (const wchar_t* code : shown) {
        const double w = std::stoi(std::wstring(code).substr(std::wstring(code).size() - 4, 2)) * 100.0;
        const double h = std::stoi(std::wstring(code).substr(std::wstring(code).size() - 2)) * 100.0;
        Sheet e(d, s.at(x, -s.mm(175)), 50);
        windowElevation(e, w, h);
        e.dimension(0, h, w, h, h + 500, false);
        e.dimension(0, 0, 0, h, -500, true);
        e.text(L"文字", w / 2, -900, 5, code, Align::Centre, 0, true);
        x += s.mm(w / 50 + 22);
    }
}

void stairDetails(Drawing& d, const Symbols& sym, const Frame& f) {
    const double step = (f.right() - f.left()) / 3;
    const struct {
        StairFloor floor;
        const wchar_t* title;
        std::vector<std::wstring> levels;
    } plans[] = {{StairFloor::Ground, L"首层楼梯平面图", {L"±0.000"}},
                 {StairFloor::Typical, L"二至五层楼梯平面图", {L"3.000", L"6.000", L"9.000", L"12.000"}},
                 {StairFloor::Top, L"六层楼梯平面图", {L"15.000"}}};
    for (int i = 0; i < 3; ++i) {
        Sheet s(d, {f.left() + (i + 0.5) * step - 2 * 8850, f.titleTop() - 3000}, 50);
        stairPlan(s, sym, plans[i].floor, plans[i].title, plans[i].levels);
    }
}

void catalogueRows(Drawing& d, const Frame& f, const std::vector<CatalogueRow>& rows, const wchar_t* date) {
    // The grid of the office's catalogue sheet: columns from x = 1250, rows of 800 under y = 26000.
    const double lens[] = {3000, 9000, 2000, 2000, 2500};
    Sheet s(d, {f.x, f.y}, 100);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::wstring cells[] = {rows[r].number, rows[r].name, rows[r].size, rows[r].scale, date};
        double x = 1250;
        const double y = 26000 - 800 * (static_cast<double>(r) + 0.5);
        for (int c = 0; c < 5; ++c) {
            s.text(L"文字", x + lens[c] / 2, y, 3, cells[c], Align::Middle, 0, true);
            x += lens[c];
        }
    }
}

}  // namespace mksamples
