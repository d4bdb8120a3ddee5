#include <gtest/gtest.h>

#include "aced.h"
#include "dbjig.h"
#include "editor/input_event.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

TEST(TypedInput, EachFormIsReadOnlyWhereThePromptExpectsIt) {
    const struct {
        const wchar_t* line;
        Expect expect;
        EventKind kind;
    } cases[] = {
        {L"  ", Expect::kPoint, EventKind::kEnter},
        {L"3,4", Expect::kPoint, EventKind::kPoint},
        {L"3,4", Expect::kSelection, EventKind::kText},  // a typed point is no selection form
        {L"drag 3,4", Expect::kDrag, EventKind::kDrag},
        {L"drag 3,4", Expect::kPoint, EventKind::kText},  // only a jig follows the cursor
        {L"DRAG x", Expect::kDrag, EventKind::kMalformed},
        {L"all", Expect::kSelection, EventKind::kAll},
        {L"ALL 1", Expect::kSelection, EventKind::kText},
        {L"l", Expect::kSelection, EventKind::kLast},
        {L"c 0,0 1,1", Expect::kSelection, EventKind::kCrossing},
        {L"W 0,0", Expect::kSelection, EventKind::kMalformed},
        {L"W 0,0 1,1 2,2", Expect::kSelection, EventKind::kMalformed},
        {L"H", Expect::kSelection, EventKind::kText},
        {L"Window", Expect::kPoint, EventKind::kText},
    };
    for (const auto& c : cases) EXPECT_EQ(parseTyped(c.line, c.expect).kind, c.kind) << std::wstring(c.line);
    EXPECT_EQ(parseTyped(L"W 0,0", Expect::kSelection).text, L"Give two corners: W x1,y1 x2,y2");
}

TEST(TypedInput, AnEventsTypedFormReadsBackAsTheSameEvent) {
    InputEvent handles;
    handles.kind = EventKind::kHandles;
    handles.text = L"2A 3B";
    const InputEvent events[] = {eventAt(EventKind::kPoint, 1.25, -7), eventAt(EventKind::kDrag, 1e6, 0.1),
                                 eventAt(EventKind::kWindow, 3, 4, -1, 2.5), eventAt(EventKind::kCrossing, 0, 0, 5, 5),
                                 eventAt(EventKind::kAll, 0, 0), handles};
    for (const InputEvent& e : events) {
        const Expect expect = e.kind == EventKind::kPoint ? Expect::kPoint
                              : e.kind == EventKind::kDrag ? Expect::kDrag
                                                           : Expect::kSelection;
        const InputEvent back = parseTyped(typedForm(e), expect);
        EXPECT_EQ(back.kind, e.kind) << typedForm(e);
        for (int i = 0; i < 3; ++i) {
            EXPECT_DOUBLE_EQ(back.point[i], e.point[i]) << typedForm(e);
            EXPECT_DOUBLE_EQ(back.corner[i], e.corner[i]) << typedForm(e);
        }
        EXPECT_EQ(back.text, e.text);
    }
    InputEvent z = eventAt(EventKind::kPoint, 1, 2);
    z.point[2] = 3;
    EXPECT_EQ(typedForm(z), L"1,2,3");
}

class EventInputTest : public EditorTest {};

class FollowingJig : public AcEdJig {
public:
    DragStatus sampler() override {
        AcGePoint3d p;
        DragStatus st = acquirePoint(p);
        if (st == kNormal) seen.push_back(p);
        return st;
    }
    bool update() override { return true; }
    std::vector<AcGePoint3d> seen;
};

TEST_F(EventInputTest, TheJigFollowsMouseMovesAndAClickPlacesIt) {
    FollowingJig jig;
    jig.setDispPrompt(L"\nPlace: ");
    events({eventAt(EventKind::kDrag, 1, 1), eventAt(EventKind::kDrag, 2, 3), eventAt(EventKind::kPoint, 7, 8)});
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    ASSERT_EQ(jig.seen.size(), 3u);
    EXPECT_DOUBLE_EQ(jig.seen.back().x, 7);
    EXPECT_DOUBLE_EQ(jig.seen.back().y, 8);
    EXPECT_NE(transcript.find(L"Place: 7,8\n"), std::wstring::npos) << transcript;
}

TEST_F(EventInputTest, AWindowIsNoAnswerToAJigAndCancelEndsIt) {
    FollowingJig jig;
    events({eventAt(EventKind::kWindow, 0, 0, 1, 1), eventAt(EventKind::kCancel, 0, 0)});
    EXPECT_EQ(jig.drag(), AcEdJig::kCancel);
    EXPECT_TRUE(jig.seen.empty());
    EXPECT_EQ(unusable(), 1);
}

TEST_F(EventInputTest, APointPromptTakesAClickAndStillReadsKeywords) {
    ads_point p = {0, 0, 0};
    events({eventAt(EventKind::kPoint, 12.5, -3)});
    EXPECT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 12.5);
    EXPECT_DOUBLE_EQ(p[1], -3);
    InputEvent word;
    word.kind = EventKind::kText;
    word.text = L"U";
    events({word});
    acedInitGet(0, L"Undo Exit");
    EXPECT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTKWORD);
    ACHAR kw[16];
    acedGetInput(kw, 16);
    EXPECT_EQ(std::wstring(kw), L"Undo");
}

}  // namespace
}  // namespace vx::editor::test
