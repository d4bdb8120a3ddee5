// Code pages of R12-R2004 files: GBK by $DWGCODEPAGE, \U+ and \M+ escapes, wrong declarations,
// long MTEXT split on characters.
#include <gtest/gtest.h>

#include "acdb.h"
#include "ezdxf_check.h"

using namespace vxtest;

namespace {

// A small R12 drawing with one TEXT whose value bytes are given.
std::string r12With(const std::string& codepage, const std::string& textValue) {
    return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n$DWGCODEPAGE\n  3\n" + codepage +
           "\n  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\n0\n 70\n0\n"
           " 62\n7\n  6\nCONTINUOUS\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  8\n0\n"
           " 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n2.5\n  1\n" + textValue + "\n  0\nENDSEC\n  0\nEOF\n";
}

std::wstring firstText(AcDbDatabase& db) {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    if (ms.openStatus() != Acad::eOk) return L"<no model space>";
    for (AcDbEntity* e : ms->entities())
        if (auto* t = AcDbText::cast(e)) return t->textString().str();
    return L"<no text>";
}

AcDbText* firstTextObject(AcDbDatabase& db) {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    for (AcDbEntity* e : ms->entities())
        if (auto* t = AcDbText::cast(e)) return t;
    return nullptr;
}

TEST(CodePage, Ansi936TextsAreGbkInTheFileAndUnicodeInTheApi) {
    std::string dir = tempDir("gbk");
    // "中文" in GBK is D6 D0 CE C4.
    writeFile(dir + "/a.dxf", r12With("ANSI_936", "\xD6\xD0\xCE\xC4 A"));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    EXPECT_EQ(firstText(db), L"中文 A");

    AcDbObjectPointer<AcDbText> t(firstTextObject(db)->objectId(), AcDb::kForWrite);
    ASSERT_EQ(t.openStatus(), Acad::eOk);
    // U+0E01 (Thai) has no GBK code: it must survive as an escape, not as '?'.
    t->setTextString(L"图名\u0E01");
    t.close();
    ASSERT_EQ(db.saveAs(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    std::string bytes = readFile(dir + "/b.dxf");
    EXPECT_NE(bytes.find("\xCD\xBC\xC3\xFB\\U+0E01"), std::string::npos);
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDwgFile(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(firstText(back), L"图名\u0E01");
}

TEST(CodePage, EscapesDecodeInEitherCase) {
    std::string dir = tempDir("esc");
    writeFile(dir + "/a.dxf", r12With("ANSI_1252", "\\M+5D6D0\\u+6587\\U+00e9 \\U+ZZZZ"));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk) << db.lastReadMessage();
    // A malformed escape stays as written.
    EXPECT_EQ(firstText(db), L"中文é \\U+ZZZZ");
}

TEST(CodePage, Cp1252FileStoresChineseAsEscapes) {
    std::string dir = tempDir("cp1252");
    writeFile(dir + "/a.dxf", r12With("ANSI_1252", "x"));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk);
    AcDbObjectPointer<AcDbText> t(firstTextObject(db)->objectId(), AcDb::kForWrite);
    t->setTextString(L"中é");
    t.close();
    ASSERT_EQ(db.saveAs(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    EXPECT_NE(readFile(dir + "/b.dxf").find("\\U+4E2D\xE9"), std::string::npos);
}

TEST(CodePage, Utf8ContentUnderAWrongDeclarationIsReadAsUtf8) {
    std::string dir = tempDir("wrongcp");
    writeFile(dir + "/a.dxf", r12With("ANSI_936", "中文"));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(firstText(db), L"中文");
    ASSERT_EQ(db.readAudit().size(), 1u);
    EXPECT_NE(db.readAudit()[0].find(L"UTF-8"), std::wstring::npos);
    // Untouched, the bytes go back unchanged.
    ASSERT_EQ(db.saveAs(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(readFile(dir + "/a.dxf"), readFile(dir + "/b.dxf"));
}

TEST(CodePage, LongMTextIsSplitOnCharactersInGbk) {
    std::string dir = tempDir("mtext");
    ASSERT_TRUE(writeFixture("R2000", dir + "/a.dxf", true));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk);
    std::wstring longText;
    for (int i = 0; i < 601; ++i) longText += (i % 3) ? L"图" : L"a";
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
    AcDbObjectId mid;
    for (AcDbEntity* e : ms->entities())
        if (AcDbMText::cast(e)) mid = e->objectId();
    ms.close();
    {
        AcDbObjectPointer<AcDbMText> m(mid, AcDb::kForWrite);
        ASSERT_EQ(m.openStatus(), Acad::eOk);
        EXPECT_EQ(m->contents().length(), 306);  // as ezdxf wrote it: 多行\P文字 + 300 characters
        ASSERT_EQ(m->setContents(longText.c_str()), Acad::eOk);
        EXPECT_EQ(m->contents().str(), longText);
        EXPECT_EQ(m->text().str(), longText);
    }
    ASSERT_EQ(db.saveAs(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    auto r = inspect(dir + "/b.dxf", {{"ok", "dec(msp.query('MTEXT')[0].text) == ''.join('a' if i % 3 == 0 else '图' for i in range(601))"}});
    EXPECT_EQ(r["ok"], "True") << r["python_error"];
    EXPECT_EQ(r["audit_errors"], "0");
}

TEST(LongValues, ValuesLongerThan64KBReadAndRoundTrip) {
    std::string dir = tempDir("longvalue");
    std::string value(70000, 'x');
    value += "\xD6\xD0";
    writeFile(dir + "/a.dxf", r12With("ANSI_936", value));
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(wide(dir + "/a.dxf").c_str()), Acad::eOk);
    std::wstring t = firstText(db);
    EXPECT_EQ(t.size(), 70001u);
    EXPECT_EQ(t.back(), L'中');
    ASSERT_EQ(db.saveAs(wide(dir + "/b.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(readFile(dir + "/a.dxf"), readFile(dir + "/b.dxf"));
}

TEST(MText, PlainTextDropsFormattingCodes) {
    AcDbMText m;
    m.setContents(L"{\\fSimSun|b0|i0;图名}\\P\\H2.5x;A\\S1^2;\\~B\\\\C\\{D\\}");
    EXPECT_EQ(m.text().str(), L"图名\nA1/2 B\\C{D}");
}

}  // namespace
