#include <gtest/gtest.h>

#include <cmath>

#include "aced.h"
#include "dbjig.h"
#include "editor/sysvars.h"
#include "editor_fixture.h"

namespace vx::editor::test {
namespace {

// Records what the drag loop hands to the sampler and when it asks for an update.
class RecordingJig : public AcEdJig {
public:
    DragStatus sampler() override {
        AcGePoint3d p;
        DragStatus st = acquirePoint(p);
        if (st == kNormal) last = p;
        statuses.push_back(st);
        return st;
    }
    bool update() override {
        updates.push_back(last);
        return true;
    }
    AcGePoint3d last;
    std::vector<DragStatus> statuses;
    std::vector<AcGePoint3d> updates;
};

class JigTest : public EditorTest {};

TEST_F(JigTest, MovesSampleAndUpdateOnlyWhenTheCursorChanged) {
    RecordingJig jig;
    jig.setDispPrompt(L"\nPlace: ");
    answers({L"drag 1,1", L"drag 1,1", L"drag 2,3", L"5,6"});
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_EQ(jig.statuses, (std::vector<AcEdJig::DragStatus>{AcEdJig::kNormal, AcEdJig::kNoChange,
                                                              AcEdJig::kNormal, AcEdJig::kNormal}));
    ASSERT_EQ(jig.updates.size(), 3u);
    EXPECT_DOUBLE_EQ(jig.updates.back().x, 5);
    EXPECT_DOUBLE_EQ(jig.updates.back().y, 6);
    EXPECT_EQ(jig.samplerCalls(), 4);
    EXPECT_EQ(jig.updateCalls(), 3);
}

TEST_F(JigTest, ClickWhereTheCursorAlreadyIsStillPlaces) {
    RecordingJig jig;
    answers({L"drag 4,4", L"4,4"});
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_EQ(jig.updates.size(), 1u);
}

TEST_F(JigTest, EscapeAndEndOfInputCancel) {
    RecordingJig jig;
    answers({L"drag 1,1", L"ESC"});
    EXPECT_EQ(jig.drag(), AcEdJig::kCancel);
    EXPECT_EQ(jig.statuses.back(), AcEdJig::kCancel);
    RecordingJig second;
    EXPECT_EQ(second.drag(), AcEdJig::kCancel);  // no input left
    EXPECT_TRUE(inputEnded());
}

TEST_F(JigTest, EmptyAnswerIsNullOnlyWhenAccepted) {
    RecordingJig strict;
    answers({L"", L"1,1"});
    EXPECT_EQ(strict.drag(), AcEdJig::kNormal);
    EXPECT_EQ(unusable(), 1);
    RecordingJig lenient;
    lenient.setUserInputControls(AcEdJig::kNullResponseAccepted);
    answers({L""});
    EXPECT_EQ(lenient.drag(), AcEdJig::kNull);
}

TEST_F(JigTest, KeywordsAndOtherText) {
    RecordingJig jig;
    jig.setKeywordList(L"Base Rotate");
    answers({L"r"});
    EXPECT_EQ(jig.drag(), AcEdJig::kKW2);
    jig.setUserInputControls(AcEdJig::kAcceptOtherInputString);
    answers({L"hello"});
    EXPECT_EQ(jig.drag(), AcEdJig::kOther);
    EXPECT_STREQ(jig.acquiredString(), L"hello");
}

TEST_F(JigTest, TwoDimensionalUnlessThreeDimensionsAreAccepted) {
    RecordingJig flat;
    answers({L"1,2,9"});
    flat.drag();
    EXPECT_DOUBLE_EQ(flat.last.z, 0);
    RecordingJig deep;
    deep.setUserInputControls(AcEdJig::kAccept3dCoordinates);
    answers({L"1,2,9"});
    deep.drag();
    EXPECT_DOUBLE_EQ(deep.last.z, 9);
}

class GetFunctionTest : public EditorTest {};

TEST_F(GetFunctionTest, MalformedAnswersRepeatThePromptWithAHint) {
    ads_point p;
    answers({L"1;2", L"x,y", L"3, 4"});
    EXPECT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 3);
    EXPECT_DOUBLE_EQ(p[1], 4);
    EXPECT_EQ(unusable(), 2);
    size_t first = transcript.find(L"Point: ");
    EXPECT_NE(transcript.find(L"Point: ", first + 1), std::wstring::npos);
    EXPECT_NE(transcript.find(L"Requires a point"), std::wstring::npos);
}

TEST_F(GetFunctionTest, EmptyKeywordAndCancelAnswers) {
    int n = 0;
    answers({L"", L"esc"});
    EXPECT_EQ(acedGetInt(L"\nN: ", &n), RTNONE);
    EXPECT_EQ(acedGetInt(L"\nN: ", &n), RTCAN);
    acedInitGet(RSG_NONULL, L"Yes No");
    ACHAR kw[32];
    answers({L"", L"n"});
    EXPECT_EQ(acedGetKword(L"\nOK? ", kw, 32), RTNORM);
    EXPECT_STREQ(kw, L"No");
    answers({L"70000", L"-12"});
    EXPECT_EQ(acedGetInt(L"\nN: ", &n), RTNORM);
    EXPECT_EQ(n, -12);
}

TEST(SysVars, BackgroundPlotTakesShortsInRangeOnly) {
    resetSysVars();
    resbuf v{};
    v.restype = RTSHORT;
    v.resval.rint = 0;
    EXPECT_EQ(acedSetVar(L"backgroundplot", &v), RTNORM);
    resbuf out{};
    EXPECT_EQ(acedGetVar(L"BACKGROUNDPLOT", &out), RTNORM);
    EXPECT_EQ(out.restype, RTSHORT);
    EXPECT_EQ(out.resval.rint, 0);
    v.resval.rint = 9;
    EXPECT_EQ(acedSetVar(L"BACKGROUNDPLOT", &v), RTERROR);
    v.restype = RTSTR;
    v.resval.rstring = const_cast<ACHAR*>(L"1");
    EXPECT_EQ(acedSetVar(L"BACKGROUNDPLOT", &v), RTERROR);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &out), RTERROR);
    EXPECT_EQ(acedSetVar(L"ACADVER", &v), RTERROR);  // read-only
    resetSysVars();
}

TEST(SysVars, RealVariablesTakeFiniteNumbersOnly) {
    resetSysVars();
    std::wstring why;
    for (const wchar_t* bad : {L"nan", L"NaN", L"inf", L"-infinity", L"1e999", L"2.5x", L""})
        EXPECT_FALSE(setSysVarText(L"USERR1", bad, why)) << bad;
    EXPECT_EQ(why, L"Requires a number.");
    std::wstring value;
    ASSERT_TRUE(getSysVarText(L"USERR1", value));
    EXPECT_EQ(value, L"0");
    resbuf v{};
    v.restype = RTREAL;
    v.resval.rreal = std::nan("");
    EXPECT_EQ(acedSetVar(L"USERR1", &v), RTERROR);
    EXPECT_TRUE(setSysVarText(L"USERR1", L"-2.5e3", why));
    ASSERT_TRUE(getSysVarText(L"USERR1", value));
    EXPECT_EQ(value, L"-2500");
    resetSysVars();
}

}  // namespace
}  // namespace vx::editor::test
