#include "commands/reading_order.h"

#include <algorithm>
#include <cmath>

#include "dbents.h"

namespace vorlix {

std::vector<std::size_t> readingOrder(const std::vector<FramePlace>& places) {
    std::vector<std::size_t> order;
    if (places.empty()) return order;
    const double tolerance = kRowTolerance * std::fabs(places.front().height);
    // Rows top to bottom, each left to right; a row's front is its reference frame.
    std::vector<std::vector<std::size_t>> rows{{0}};
    for (std::size_t f = 1; f < places.size(); ++f) {
        const FramePlace& p = places[f];
        auto row = rows.begin();
        for (; row != rows.end(); ++row) {
            const FramePlace& ref = places[row->front()];
            if (std::fabs(ref.cy - p.cy) <= tolerance) {
                auto at = row->begin();
                while (at != row->end() && places[*at].cx <= p.cx) ++at;
                row->insert(at, f);
                break;
            }
            if (ref.cy < p.cy) {
                rows.insert(row, std::vector<std::size_t>{f});
                break;
            }
        }
        if (row == rows.end()) rows.push_back({f});
    }
    order.reserve(places.size());
    for (const auto& row : rows) order.insert(order.end(), row.begin(), row.end());
    return order;
}

FrameList inReadingOrder(const FrameList& ids) {
    // Model space and each layout have coordinates of their own: each space is one sheet to
    // read, the spaces taken in the order the list first reaches them.
    struct Sheet {
        AcDbObjectId space;
        std::vector<FramePlace> places;
        std::vector<AcDbObjectId> placed, unplaced;
    };
    std::vector<Sheet> sheets;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> ent(ids[i], AcDb::kForRead);
        if (ent.openStatus() != Acad::eOk) continue;
        const AcDbObjectId space = ent->ownerId();
        auto sheet = std::find_if(sheets.begin(), sheets.end(), [&](const Sheet& s) { return s.space == space; });
        if (sheet == sheets.end()) sheet = sheets.insert(sheets.end(), Sheet{space, {}, {}, {}});
        AcDbExtents ext;
        if (ent->getGeomExtents(ext) != Acad::eOk || ext.isEmpty()) {
            sheet->unplaced.push_back(ids[i]);
            continue;
        }
        const AcGePoint3d& lo = ext.minPoint();
        const AcGePoint3d& hi = ext.maxPoint();
        sheet->places.push_back({(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, hi.y - lo.y});
        sheet->placed.push_back(ids[i]);
    }
    FrameList out(0, 8);
    for (const Sheet& sheet : sheets) {
        for (std::size_t k : readingOrder(sheet.places)) out.append(sheet.placed[k]);
        for (const AcDbObjectId& id : sheet.unplaced) out.append(id);
    }
    return out;
}

}  // namespace vorlix
