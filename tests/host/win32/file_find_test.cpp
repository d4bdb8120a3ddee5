// CFileFind and CStringArray as the module's folder scans and lists use them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "afx.h"
#include "temp_folder.h"

namespace {

using vx::test::TempFolder;

struct Found {
    std::vector<std::wstring> names;
    std::vector<std::wstring> dirs;
};

// The MFC loop: the entry of the call that returns FALSE is the last one, still valid.
Found findAll(const std::wstring& pattern) {
    Found f;
    CFileFind ff;
    BOOL more = ff.FindFile(pattern.c_str());
    while (more) {
        more = ff.FindNextFile();
        f.names.push_back(ff.GetFileName().str());
        if (ff.IsDirectory() && !ff.IsDots()) f.dirs.push_back(ff.GetFileName().str());
    }
    return f;
}

class FileFind : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.dwg", "A.DWG", "c.txt", "noext", "图框.dwg", ".hidden"}) dir.write(name, "12345");
        ASSERT_EQ(0, mkdir(dir.native("sub").c_str(), 0755));
    }
    TempFolder dir;
};

TEST_F(FileFind, MasksMatchWithoutCaseInNameOrder) {
    EXPECT_EQ((std::vector<std::wstring>{L"A.DWG", L"b.dwg", L"图框.dwg"}), findAll(dir.windows("*.dwg")).names);
    EXPECT_EQ((std::vector<std::wstring>{L"c.txt"}), findAll(dir.windows("?.TXT")).names);
    EXPECT_EQ((std::vector<std::wstring>{L"noext"}), findAll(dir.windows("n*t")).names);
    EXPECT_TRUE(findAll(dir.windows("*.pdf")).names.empty());
    EXPECT_TRUE(findAll(dir.windows("none\\*.*")).names.empty());
}

TEST_F(FileFind, StarDotStarListsEverythingWithDotsFirst) {
    Found all = findAll(dir.windows("*.*"));
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L".hidden", L"A.DWG", L"b.dwg", L"c.txt", L"noext",
                                         L"sub", L"图框.dwg"}),
              all.names);
    EXPECT_EQ((std::vector<std::wstring>{L"sub"}), all.dirs);
    EXPECT_EQ(all.names, findAll(dir.windows("*")).names);
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"noext", L"sub"}), findAll(dir.windows("*.")).names);
}

TEST_F(FileFind, ReportsPathTitleAndSizeOfTheCurrentEntry) {
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile(dir.windows("图框.dwg").c_str()));
    EXPECT_TRUE(ff.GetFileName().IsEmpty());  // nothing is current before FindNextFile
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(CString(L"图框.dwg"), ff.GetFileName());
    EXPECT_EQ(CString(L"图框"), ff.GetFileTitle());
    EXPECT_EQ(vx::text::fromUtf8(dir.native("图框.dwg")), ff.GetFilePath().str());
    EXPECT_EQ(5u, ff.GetLength());
    EXPECT_FALSE(ff.IsDirectory());
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(CString(L"图框.dwg"), ff.GetFileName());
    ff.Close();
    EXPECT_TRUE(ff.GetFilePath().IsEmpty());

    ASSERT_TRUE(ff.FindFile(dir.windows("sub").c_str()));
    ff.FindNextFile();
    EXPECT_TRUE(ff.IsDirectory());
    EXPECT_EQ(CString(L"sub"), ff.GetFileTitle());
    EXPECT_FALSE(ff.FindFile(dir.windows("missing.dwg").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(StringArray, GrowsInsertsAndRemovesWithinBounds) {
    CStringArray a;
    EXPECT_EQ(0, a.Add(L"A0"));
    EXPECT_EQ(1, a.Add(L"A2"));
    a.InsertAt(1, L"A1");
    a.InsertAt(5, L"A5");
    ASSERT_EQ(6, a.GetSize());
    EXPECT_EQ(CString(L"A1"), a[1]);
    EXPECT_TRUE(a.GetAt(3).IsEmpty());
    EXPECT_EQ(CString(L"A5"), a.GetAt(5));
    a.RemoveAt(3, 100);
    EXPECT_EQ(3, a.GetCount());
    a.RemoveAt(0);
    EXPECT_EQ(CString(L"A1"), a[0]);
    a.SetAt(0, L"X");
    a[1] += L"!";
    EXPECT_EQ(CString(L"A2!"), a.GetAt(1));
    a.SetAtGrow(3, L"Y");
    EXPECT_EQ(4, a.GetSize());
    CStringArray b;
    b.Copy(a);
    EXPECT_EQ(4, b.Append(a));
    EXPECT_EQ(8, b.GetSize());
    EXPECT_EQ(CString(L"Y"), b[7]);
    b.RemoveAll();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(-1, b.GetUpperBound());
}

}  // namespace
