#include "render/references.h"

#include <cmath>

#include "db/access.h"
#include "render/entity_props.h"
#include "render/kinds.h"

namespace vx::render {

using vx::db::Access;
using vx::db::TagRef;

namespace {
constexpr long long kMaxCells = 100000;
}

bool readReference(const AcDbEntity* e, Tables& tables, Reference& out) {
    out = Reference();
    // The block's name: the first group 2 of the record.
    const size_t n = Access::tagCount(e);
    for (size_t i = 1; i < n && !out.block; ++i) {
        const TagRef t = Access::tag(e, i);
        if (t.code == 1001) break;
        if (t.code == 2) {
            const Tables::Block& b = tables.block(vx::db::trim(t.value), t.utf8);
            out.block = b.record;
            if (!out.block) return false;
            if (Access::kind(e) == vx::db::kDimension) {
                out.instances.push_back(AcGeMatrix3d::kIdentity);
                return true;
            }
            const Fields f(e, {10, 41, 42, 43, 44, 45, 50, 70, 71, 210});
            AcGeMatrix3d scale;
            scale.entry[0][0] = f.real(41, 1);
            scale.entry[1][1] = f.real(42, 1);
            scale.entry[2][2] = f.real(43, 1);
            const double rot = f.real(50, 0) * M_PI / 180;
            const AcGeMatrix3d plane = AcGeMatrix3d::planeToWorld(f.normal());
            const AcGeMatrix3d inner = AcGeMatrix3d::rotation(rot, AcGeVector3d::kZAxis) * scale *
                                       AcGeMatrix3d::translation(-b.origin.asVector());
            const AcGePoint3d p = f.point(10);
            long long cols = f.integer(70, 1), rows = f.integer(71, 1);
            if (cols < 1) cols = 1;
            if (rows < 1) rows = 1;
            const double dx = f.real(44, 0), dy = f.real(45, 0);
            const AcGeVector3d colStep = AcGeMatrix3d::rotation(rot, AcGeVector3d::kZAxis) * AcGeVector3d(dx, 0, 0);
            const AcGeVector3d rowStep = AcGeMatrix3d::rotation(rot, AcGeVector3d::kZAxis) * AcGeVector3d(0, dy, 0);
            for (long long r = 0; r < rows; ++r)
                for (long long c = 0; c < cols; ++c) {
                    if (static_cast<long long>(out.instances.size()) >= kMaxCells) {
                        out.truncated = true;
                        return true;
                    }
                    const AcGePoint3d at = p + colStep * static_cast<double>(c) + rowStep * static_cast<double>(r);
                    out.instances.push_back(plane * AcGeMatrix3d::translation(at.asVector()) * inner);
                }
        }
    }
    return out.block != nullptr;
}

std::vector<const AcDbEntity*> attributesOf(const AcDbEntity* reference) {
    std::vector<const AcDbEntity*> out;
    if (Access::kind(reference) != vx::db::kInsert) return out;
    std::vector<AcDbEntity*> kids;
    Access::children(reference, kids);
    for (AcDbEntity* k : kids)
        if (Access::kind(k) == vx::db::kAttrib && !k->isErased()) out.push_back(k);
    return out;
}

bool drawnInBlock(const AcDbEntity* e) {
    if (e->isErased()) return false;
    if (Access::kind(e) == vx::db::kAttDef) return (vx::db::getInt(e, vx::db::Field{nullptr, 0, 70}, 0) & 2) != 0;
    return true;
}

}  // namespace vx::render
