#include "commands/reading_order.h"

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
    std::vector<FramePlace> places;
    std::vector<AcDbObjectId> placed, unplaced;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> ent(ids[i], AcDb::kForRead);
        if (ent.openStatus() != Acad::eOk) continue;
        AcDbExtents ext;
        if (ent->getGeomExtents(ext) != Acad::eOk || ext.isEmpty()) {
            unplaced.push_back(ids[i]);
            continue;
        }
        const AcGePoint3d& lo = ext.minPoint();
        const AcGePoint3d& hi = ext.maxPoint();
        places.push_back({(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, hi.y - lo.y});
        placed.push_back(ids[i]);
    }
    FrameList out(0, 8);
    for (std::size_t k : readingOrder(places)) out.append(placed[k]);
    for (const AcDbObjectId& id : unplaced) out.append(id);
    return out;
}

}  // namespace vorlix
