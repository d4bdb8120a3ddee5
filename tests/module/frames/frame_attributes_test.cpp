#include "frames/frame_attributes.h"

#include "frames_fixture.h"

namespace vorlix::test {
namespace {

class FrameAttributesTest : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        addLayer(L"C-TK", 7);
    }
    // Texts of the reference's attributes in attribute order.
    std::vector<std::wstring> texts(AcDbObjectId id) {
        std::vector<std::wstring> out;
        AcDbObjectPointer<AcDbBlockReference> ref(id, AcDb::kForRead);
        std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
        for (it->start(); !it->done(); it->step()) {
            AcDbAttribute* a = nullptr;
            EXPECT_EQ(ref->openAttribute(a, it->objectId(), AcDb::kForRead), Acad::eOk);
            out.push_back(a->textString().str());
            a->close();
        }
        return out;
    }
};

TEST_F(FrameAttributesTest, RepeatedTagFirstOneIsReadAndWritten) {
    AcDbObjectId f = frame(L"C-TK", 0, 0, {{L"图名", L"一"}, {L"图号", L"A-1"}, {L"图名", L"二"}});
    AttributeMap map = readAttributeMap(f);
    EXPECT_EQ(map.size(), 2u);
    EXPECT_EQ(attributeText(map, L"图名"), L"一");
    EXPECT_TRUE(writeAttribute(f, L"图名", L"新"));
    EXPECT_EQ(texts(f), (std::vector<std::wstring>{L"新", L"A-1", L"二"}));
}

TEST_F(FrameAttributesTest, TagsCompareExactly) {
    AcDbObjectId f = frame(L"C-TK", 0, 0, {{L"图号 ", L"trailing"}, {L"Tag", L"mixed"}});
    AttributeMap map = readAttributeMap(f);
    EXPECT_EQ(attributeText(map, L"图号"), L"");
    EXPECT_EQ(attributeText(map, L"图号 "), L"trailing");
    EXPECT_FALSE(writeAttribute(f, L"图号", L"X"));
    EXPECT_FALSE(writeAttribute(f, L"TAG", L"X"));
    EXPECT_EQ(texts(f), (std::vector<std::wstring>{L"trailing", L"mixed"}));
}

TEST_F(FrameAttributesTest, FillWritesOnlyTheTagsItHasAndKeepsTheRest) {
    AcDbObjectId f = frame(L"C-TK", 0, 0, {{L"图号", L"A-1"}, {L"设计", L"张"}, {L"图号", L"dup"}});
    EXPECT_EQ(fillAttributes(f, {{L"图号", L"B-2"}, {L"审核", L"李"}}), 2);
    EXPECT_EQ(texts(f), (std::vector<std::wstring>{L"B-2", L"张", L"B-2"}));
}

TEST_F(FrameAttributesTest, ErasedAndMissingObjectsGiveNothing) {
    AcDbObjectId f = frame(L"C-TK", 0, 0, {{L"图号", L"A-1"}});
    {
        AcDbObjectPointer<AcDbBlockReference> ref(f, AcDb::kForWrite);
        ASSERT_EQ(ref->erase(), Acad::eOk);
    }
    EXPECT_TRUE(readAttributeMap(f).empty());
    EXPECT_FALSE(writeAttribute(f, L"图号", L"X"));
    EXPECT_TRUE(readAttributeMap(AcDbObjectId()).empty());
    EXPECT_EQ(fillAttributes(AcDbObjectId(), {{L"图号", L"X"}}), 0);
}

}  // namespace
}  // namespace vorlix::test
