// The frame placement drag: a just-inserted block reference follows the cursor until the user
// places it. Its attributes stay behind during the drag; placeReference brings them along.
#pragma once

#include "acdb.h"
#include "dbjig.h"

namespace vorlix {

class CVorlixJig : public AcEdJig {
public:
    // Moves closer than this between two samples are no move: the host skips the redraw.
    static constexpr double kSampleTolerance = 0.0001;

    // The reference stays the caller's, open for write for the whole drag.
    explicit CVorlixJig(AcDbBlockReference* reference);

    void setCurrentPoint(const AcGePoint3d& point) { m_current = point; }
    const AcGePoint3d& currentPoint() const { return m_current; }

    DragStatus sampler() override;
    bool update() override;
    AcDbEntity* entity() const override;

private:
    static constexpr UserInputControls kControls =
        static_cast<UserInputControls>(kAccept3dCoordinates | kNullResponseAccepted);
    AcDbBlockReference* m_reference;
    AcGePoint3d m_current;
};

enum class PlaceResult { Placed, Removed, NoReference };

// Drags the reference (open for write) from the origin; placed, it and its attributes have
// moved by the same offset in the drawing plane; any other end of the drag erases it.
PlaceResult dragReference(AcDbBlockReference* reference);

// Inserts the side database into the working drawing, drags the reference it brought last
// and puts the placed reference on the frame layer. The side database is deleted.
PlaceResult placeTakenReferences(AcDbDatabase* taken, AcDbObjectId frameLayer);

}  // namespace vorlix
