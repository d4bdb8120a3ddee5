// The jig's drag loop: cursor moves and the final placement arrive as input events, from the
// mouse or typed.
#include <cmath>
#include <string>

#include "acdb.h"
#include "aced.h"
#include "dbapserv.h"
#include "dbjig.h"
#include "editor/command_stack.h"
#include "editor/feedback.h"
#include "editor/input.h"
#include "editor/input_event.h"

struct AcEdJig::State {
    std::wstring prompt, keywords, other;
    UserInputControls controls = static_cast<UserInputControls>(0);
    CursorType cursor = kNoSpecialCursor;
    // The sample handed to acquire*(): the cursor position, or a terminating answer.
    DragStatus pending = kNormal;
    AcGePoint3d cursorAt;
    AcGePoint3d lastSample;
    bool sampled = false;
};

AcEdJig::AcEdJig() : m_state(new State) {}
AcEdJig::~AcEdJig() { delete m_state; }

AcEdJig::DragStatus AcEdJig::sampler() { return kNoChange; }
bool AcEdJig::update() { return false; }
AcDbEntity* AcEdJig::entity() const { return nullptr; }

const ACHAR* AcEdJig::dispPrompt() const { return m_state->prompt.c_str(); }
void AcEdJig::setDispPrompt(const ACHAR* prompt) { m_state->prompt = prompt ? prompt : L""; }
const ACHAR* AcEdJig::keywordList() const { return m_state->keywords.c_str(); }
void AcEdJig::setKeywordList(const ACHAR* keywords) { m_state->keywords = keywords ? keywords : L""; }
AcEdJig::UserInputControls AcEdJig::userInputControls() const { return m_state->controls; }
void AcEdJig::setUserInputControls(UserInputControls c) { m_state->controls = c; }
AcEdJig::CursorType AcEdJig::specialCursorType() const { return m_state->cursor; }
void AcEdJig::setSpecialCursorType(CursorType t) { m_state->cursor = t; }
const ACHAR* AcEdJig::acquiredString() const { return m_state->other.c_str(); }

AcEdJig::DragStatus AcEdJig::acquirePoint(AcGePoint3d& point) {
    State& s = *m_state;
    if (s.pending != kNormal) return s.pending;
    AcGePoint3d p = s.cursorAt;
    if (!(s.controls & kAccept3dCoordinates)) p.z = 0;
    if (s.sampled && p.x == s.lastSample.x && p.y == s.lastSample.y && p.z == s.lastSample.z) return kNoChange;
    s.lastSample = p;
    s.sampled = true;
    point = p;
    return kNormal;
}

AcEdJig::DragStatus AcEdJig::acquirePoint(AcGePoint3d& point, const AcGePoint3d&) { return acquirePoint(point); }

AcEdJig::DragStatus AcEdJig::acquireDist(double& distance, const AcGePoint3d& base) {
    AcGePoint3d p;
    DragStatus st = acquirePoint(p);
    if (st == kNormal) distance = std::sqrt((p.x - base.x) * (p.x - base.x) + (p.y - base.y) * (p.y - base.y));
    return st;
}
AcEdJig::DragStatus AcEdJig::acquireDist(double& distance) { return acquireDist(distance, AcGePoint3d()); }

AcEdJig::DragStatus AcEdJig::acquireAngle(double& angle, const AcGePoint3d& base) {
    AcGePoint3d p;
    DragStatus st = acquirePoint(p);
    if (st == kNormal) angle = std::atan2(p.y - base.y, p.x - base.x);
    return st;
}
AcEdJig::DragStatus AcEdJig::acquireAngle(double& angle) { return acquireAngle(angle, AcGePoint3d()); }

AcEdJig::DragStatus AcEdJig::drag() {
    using namespace vx::editor;
    State& s = *m_state;
    s.sampled = false;
    // One sample: the sampler reads the cursor (or the terminating answer) and the entity is
    // updated only when the sample changed something.
    auto sample = [&]() {
        ++m_samples;
        DragStatus st = sampler();
        if (st == kNormal) {
            ++m_updates;
            update();
        }
        return st;
    };
    // A text answer: one of the jig's keywords (kKW1..kKW9), else the other input when the jig
    // takes it; kNoChange when it is neither.
    auto keywordOrOther = [&s](const std::wstring& t) -> DragStatus {
        const std::wstring kw = matchKeyword(s.keywords, t);
        if (!kw.empty()) {
            int index = 0, n = 0;
            size_t pos = 0;
            const std::wstring& list = s.keywords;
            while (pos < list.size()) {
                while (pos < list.size() && list[pos] == L' ') ++pos;
                size_t end = list.find(L' ', pos);
                if (end == std::wstring::npos) end = list.size();
                if (end > pos) {
                    ++n;
                    std::wstring w = list.substr(pos, end - pos);
                    if (w.substr(0, w.find(L'_')) == kw) index = n;
                }
                pos = end;
            }
            setLastKeyword(kw);
            if (index >= 1 && index <= 9) return static_cast<DragStatus>(kNormal + index);
        }
        if (s.controls & kAcceptOtherInputString) {
            s.other = t;
            return kOther;
        }
        return kNoChange;
    };
    const JigShown shown(entity());
    for (;;) {
        const InputEvent e = readEvent(s.prompt, Expect::kDrag);
        switch (e.kind) {
        case EventKind::kCancel:
            s.pending = kCancel;
            sample();
            return kCancel;
        case EventKind::kMalformed: rejectAnswer(e.text); continue;
        case EventKind::kDrag:
        case EventKind::kPoint: {
            s.pending = kNormal;
            s.cursorAt = AcGePoint3d(e.point[0], e.point[1], e.point[2]);
            const DragStatus st = sample();
            if (e.kind == EventKind::kDrag) {
                if (st == kCancel) return kCancel;
                continue;
            }
            // A click where the cursor already is still places the entity.
            return (st == kNormal || st == kNoChange) ? kNormal : st;
        }
        case EventKind::kEnter:
            if (s.controls & kNullResponseAccepted) {
                s.pending = kNull;
                sample();
                return kNull;
            }
            rejectAnswer(L"Requires a point: x,y[,z]; ESC cancels.");
            continue;
        case EventKind::kText: {
            const DragStatus st = keywordOrOther(e.text);
            if (st != kNoChange) return st;
            break;
        }
        default: break;
        }
        rejectAnswer(L"Requires a point: x,y[,z]; \"drag x,y\" moves the cursor; ESC cancels.");
    }
}

AcDbObjectId AcEdJig::append() {
    AcDbEntity* ent = entity();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!ent || !db) return AcDbObjectId();
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForWrite);
    if (ms.openStatus() != Acad::eOk) return AcDbObjectId();
    AcDbObjectId id;
    if (ms->appendAcDbEntity(id, ent) != Acad::eOk) return AcDbObjectId();
    ent->close();
    return id;
}
