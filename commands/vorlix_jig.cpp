#include "commands/vorlix_jig.h"

#include <memory>

#include "aced.h"
#include "dbapserv.h"

namespace vorlix {

// The controls are in force before the first sample too: a host may read the first answer
// (an empty one, say) before it asks the sampler.
CVorlixJig::CVorlixJig(AcDbBlockReference* reference) : m_reference(reference) { setUserInputControls(kControls); }

AcEdJig::DragStatus CVorlixJig::sampler() {
    setUserInputControls(kControls);
    AcGePoint3d acquired;
    const DragStatus status = acquirePoint(acquired, m_current);
    if (status != kNormal) return status;
    if (acquired.distanceTo(m_current) < kSampleTolerance) return kNoChange;
    m_current = acquired;
    return kNormal;
}

bool CVorlixJig::update() {
    m_reference->setPosition(m_current);
    return true;
}

AcDbEntity* CVorlixJig::entity() const { return m_reference; }

PlaceResult dragReference(AcDbBlockReference* reference) {
    const AcGePoint3d before = reference->position();
    CVorlixJig jig(reference);
    jig.setCurrentPoint(AcGePoint3d::kOrigin);
    // The reference is shown under the cursor from the first sample on; a first click closer
    // to the origin than the tolerance must still leave it there, not at its template place.
    jig.update();
    if (jig.drag() != AcEdJig::kNormal) {
        reference->erase();
        return PlaceResult::Removed;
    }
    const AcGePoint3d after = reference->position();
    const AcGeMatrix3d offset = AcGeMatrix3d::translation(AcGeVector3d(after.x - before.x, after.y - before.y, 0.0));
    std::unique_ptr<AcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        AcDbAttribute* attribute = nullptr;
        if (reference->openAttribute(attribute, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        attribute->transformBy(offset);
        attribute->close();
    }
    return PlaceResult::Placed;
}

PlaceResult placeTakenReferences(AcDbDatabase* taken, AcDbObjectId frameLayer) {
    std::unique_ptr<AcDbDatabase> owned(taken);
    AcDbDatabase* working = acdbHostApplicationServices()->workingDatabase();
    if (!owned || !working) return PlaceResult::NoReference;
    if (working->insert(AcGeMatrix3d::kIdentity, owned.get(), true) != Acad::eOk) return PlaceResult::NoReference;
    owned.reset();
    // An older drawing (R12) cannot hold every entity of the frame as it is: say what changed.
    const wchar_t* changed = vx::db::lastCopyReport();
    if (changed && *changed) acutPrintf(L"\n%s\n", changed);

    ads_name last;
    AcDbObjectId id;
    if (acdbEntLast(last) != RTNORM || acdbGetObjectId(id, last) != Acad::eOk) return PlaceResult::NoReference;
    AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForWrite);
    if (reference.openStatus() != Acad::eOk) return PlaceResult::NoReference;
    const PlaceResult result = dragReference(reference.object());
    if (result == PlaceResult::Placed) reference->setLayer(frameLayer, true);
    return result;
}

}  // namespace vorlix
