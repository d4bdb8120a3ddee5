// The jig: an entity that follows the cursor until the user places it. The host calls
// sampler() for every cursor position, update() when the sample changed, and shows entity().
// In the console a line "drag x,y[,z]" moves the cursor, a point "x,y[,z]" places it.
#pragma once

#include "acadstrc.h"
#include "acge.h"
#include "actext.h"
#include "dbid.h"

class AcDbEntity;

class AcEdJig {
public:
    enum DragStatus {
        kModeless = -17,
        kNoChange = -6,
        kCancel = -4,
        kOther = -3,
        kNull = -1,
        kNormal = 0,
        kKW1, kKW2, kKW3, kKW4, kKW5, kKW6, kKW7, kKW8, kKW9,
    };
    enum UserInputControls {
        kGovernedByOrthoMode = 0x0001,
        kNullResponseAccepted = 0x0002,
        kDontEchoCancelForCtrlC = 0x0004,
        kDontUpdateLastPoint = 0x0008,
        kNoDwgLimitsChecking = 0x0010,
        kNoZeroResponseAccepted = 0x0020,
        kNoNegativeResponseAccepted = 0x0040,
        kAccept3dCoordinates = 0x0080,
        kAcceptMouseUpAsPoint = 0x0100,
        kAnyBlankTerminatesInput = 0x0200,
        kInitialBlankTerminatesInput = 0x0400,
        kAcceptOtherInputString = 0x0800,
    };
    enum CursorType { kNoSpecialCursor = -1, kCrosshair = 0, kRectCursor, kRubberBand, kNotRotated,
                      kTargetBox, kRotatedCrosshair, kCrosshairNoRotate, kInvisible, kEntitySelect };

    AcEdJig();
    virtual ~AcEdJig();
    AcEdJig(const AcEdJig&) = delete;
    AcEdJig& operator=(const AcEdJig&) = delete;

    // Runs the drag: kNormal when placed, kCancel, kNull (empty answer, if accepted), kOther
    // (other text, if accepted, see acquiredString()), or kKWn for the n-th keyword.
    DragStatus drag();
    virtual DragStatus sampler();
    virtual bool update();
    virtual AcDbEntity* entity() const;
    // Appends entity() to the working database's model space; the null id on failure.
    AcDbObjectId append();

    // Inside sampler(): the current cursor position. kNoChange when it has not moved since the
    // previous sample.
    DragStatus acquirePoint(AcGePoint3d& point);
    DragStatus acquirePoint(AcGePoint3d& point, const AcGePoint3d& basePoint);
    DragStatus acquireDist(double& distance);
    DragStatus acquireDist(double& distance, const AcGePoint3d& basePoint);
    DragStatus acquireAngle(double& angle);
    DragStatus acquireAngle(double& angle, const AcGePoint3d& basePoint);

    const ACHAR* dispPrompt() const;
    void setDispPrompt(const ACHAR* prompt);
    const ACHAR* keywordList() const;
    void setKeywordList(const ACHAR* keywords);
    UserInputControls userInputControls() const;
    void setUserInputControls(UserInputControls controls);
    CursorType specialCursorType() const;
    void setSpecialCursorType(CursorType type);
    // The text of the last kOther answer.
    const ACHAR* acquiredString() const;

    // Counts for the host's tests and transcripts.
    int samplerCalls() const { return m_samples; }
    int updateCalls() const { return m_updates; }

private:
    struct State;
    State* m_state;
    int m_samples = 0;
    int m_updates = 0;
};
