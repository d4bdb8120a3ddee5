// The frame placement drag: the sampling rule, the final offset of the attributes, and the
// ends of a drag that remove the new frame.
#include "frame_commands_fixture.h"
#include "commands/vorlix_jig.h"
#include "frames/drawing_utils.h"

#include <tuple>

namespace vorlix::test {
namespace {

class JigTest : public FrameCommandsTest {
protected:
    bool erased(AcDbObjectId id) {
        AcDbObject* o = nullptr;
        if (acdbOpenObject(o, id, AcDb::kForRead, true) != Acad::eOk) return false;
        bool e = o->isErased();
        o->close();
        return e;
    }
    PlaceResult drag(AcDbObjectId id) {
        AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForWrite);
        EXPECT_EQ(ref.openStatus(), Acad::eOk);
        return dragReference(ref.object());
    }
    AcGePoint3d position(AcDbObjectId id) {
        AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForRead);
        return ref.openStatus() == Acad::eOk ? ref->position() : AcGePoint3d(-1, -1, -1);
    }
};

TEST_F(JigTest, MovesBelowTheToleranceAreNoSampleAndDoNotUpdate) {
    AcDbObjectId id = frame(0, 0, {});
    AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForWrite);
    ASSERT_EQ(ref.openStatus(), Acad::eOk);
    CVorlixJig jig(ref.object());
    jig.setCurrentPoint(AcGePoint3d::kOrigin);
    answers({L"drag 100,50", L"drag 100.00005,50", L"drag 100,50.00009", L"drag 200,80", L"200,80"});
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_EQ(jig.updateCalls(), 2);
    EXPECT_EQ(jig.currentPoint().x, 200);
    EXPECT_EQ(ref->position().y, 80);
    // The drag accepts 3D points and an empty answer.
    EXPECT_EQ(jig.userInputControls() & AcEdJig::kAccept3dCoordinates, AcEdJig::kAccept3dCoordinates);
    EXPECT_EQ(jig.userInputControls() & AcEdJig::kNullResponseAccepted, AcEdJig::kNullResponseAccepted);
}

TEST_F(JigTest, PlacedReferenceTakesItsAttributesAlongInThePlane) {
    AcDbObjectId id = frame(1000, 500, {{L"图号", L"JS-01"}, {L"图名", L"平面图"}});
    answers({L"drag 10,10", L"300,200,7"});
    EXPECT_EQ(drag(id), PlaceResult::Placed);
    AcGePoint3d at = position(id);
    EXPECT_DOUBLE_EQ(at.x, 300);
    EXPECT_DOUBLE_EQ(at.y, 200);
    auto atts = attributes(id);
    ASSERT_EQ(atts.size(), 2u);
    EXPECT_DOUBLE_EQ(atts[0].at.x, 310);
    EXPECT_DOUBLE_EQ(atts[0].at.y, 210);
    EXPECT_DOUBLE_EQ(atts[1].at.y, 220);
    // A height difference is not passed on to the attributes.
    EXPECT_DOUBLE_EQ(atts[0].at.z, 0);
    EXPECT_EQ(atts[0].text, L"JS-01");
    EXPECT_FALSE(erased(id));
}

TEST_F(JigTest, AClickAtTheOriginLeavesTheFrameThereNotAtItsTemplatePlace) {
    AcDbObjectId id = frame(1000, 500, {{L"图号", L"JS-01"}});
    answers({L"0,0"});
    EXPECT_EQ(drag(id), PlaceResult::Placed);
    EXPECT_DOUBLE_EQ(position(id).x, 0);
    EXPECT_DOUBLE_EQ(attributes(id)[0].at.x, 10);
    EXPECT_DOUBLE_EQ(attributes(id)[0].at.y, 10);
}

TEST_F(JigTest, EnterEscapeAndTheEndOfInputEraseTheNewFrame) {
    for (const wchar_t* answer : {L"", L"ESC"}) {
        AcDbObjectId id = frame(1000, 500, {{L"图号", L"JS-01"}});
        answers({L"drag 5,5", answer});
        EXPECT_EQ(drag(id), PlaceResult::Removed) << answer;
        EXPECT_TRUE(erased(id)) << answer;
    }
    // Enter as the very first answer, and the end of all input.
    for (bool enter : {true, false}) {
        AcDbObjectId id = frame(1000, 500, {});
        if (enter) answers({L""});
        EXPECT_EQ(drag(id), PlaceResult::Removed);
        EXPECT_TRUE(erased(id));
    }
}

TEST_F(JigTest, OfTwoTakenReferencesOnlyTheLastIsDraggedOntoTheFrameLayer) {
    // The template side: one block inserted twice, on a layer of its own.
    auto* side = new AcDbDatabase(true, true);
    {
        AcDbDatabase* working = db;
        db = side;
        AcDbLayerTable* t = nullptr;
        ASSERT_EQ(side->getSymbolTable(t, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(L"TK-FRAME");
        AcDbObjectId layer;
        t->add(layer, rec);
        rec->close();
        t->close();
        acdbHostApplicationServices()->setWorkingDatabase(side);
        frame(8000, 0, {{L"图号", L"TK-11"}}, L"TK-FRAME");
        frame(9000, 0, {{L"图号", L"TK-12"}}, L"TK-FRAME");
        acdbHostApplicationServices()->setWorkingDatabase(working);
        db = working;
    }
    const AcDbObjectId frameLayer = ensureLayer(L"C-TK", 7);
    answers({L"drag 5,5", L"100,200"});
    EXPECT_EQ(placeTakenReferences(side, frameLayer), PlaceResult::Placed);

    std::vector<std::tuple<std::wstring, std::wstring, double>> refs;
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(ms->newIterator(it), Acad::eOk);
    for (; !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (it->getEntity(e, AcDb::kForRead) != Acad::eOk) continue;
        if (auto* r = AcDbBlockReference::cast(e)) {
            refs.emplace_back(attributes(r->objectId())[0].text, r->layer().str(), r->position().x);
        }
        e->close();
    }
    delete it;
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0], std::make_tuple(std::wstring(L"TK-11"), std::wstring(L"TK-FRAME"), 8000.0));
    EXPECT_EQ(refs[1], std::make_tuple(std::wstring(L"TK-12"), std::wstring(L"C-TK"), 100.0));
}

}  // namespace
}  // namespace vorlix::test
