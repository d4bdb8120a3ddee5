// Writing private-profile files: placement of edits, byte-exact preservation of everything
// else, encodings kept or upgraded, and failures that leave the file as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "temp_folder.h"
#include "win32.h"

namespace {

using vx::test::TempFolder;

class ProfileWrite : public ::testing::Test {
protected:
    TempFolder dir;
    std::wstring file = dir.windows("SHEETCONFIG.INI");

    std::wstring get(const wchar_t* section, const wchar_t* key, DWORD size = 20000) {
        std::vector<wchar_t> buf(size);
        DWORD n = GetPrivateProfileStringW(section, key, L"<none>", buf.data(), size, file.c_str());
        return std::wstring(buf.data(), n);
    }
    BOOL put(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
        return WritePrivateProfileStringW(section, key, value, file.c_str());
    }
    std::string bytes() { return dir.read("SHEETCONFIG.INI"); }
    // Decodes the file with Python's codec, as a second opinion on what we wrote.
    std::string decodedBy(const char* codec) {
        std::string out = dir.native("decoded.txt");
        std::string cmd = "/usr/bin/python3 -c 'import sys; open(sys.argv[3], \"wb\").write("
                          "open(sys.argv[1], \"rb\").read().decode(sys.argv[2]).encode(\"utf-8\"))' " +
                          dir.native("SHEETCONFIG.INI") + " " + codec + " " + out;
        if (std::system(cmd.c_str()) != 0) return "<not " + std::string(codec) + ">";
        return dir.read("decoded.txt");
    }
};

TEST_F(ProfileWrite, CreatesAnAnsiFileWithCrlfAndAppendsSections) {
    ASSERT_TRUE(put(L"SYSEMSET", L"SPECNAME", L"结构"));
    EXPECT_EQ("[SYSEMSET]\r\nSPECNAME=\xBD\xE1\xB9\xB9\r\n", bytes());
    ASSERT_TRUE(put(L"PLTSETTING", L"PLTSTYLE", L""));
    EXPECT_EQ("[SYSEMSET]\r\nSPECNAME=结构\r\n\r\n[PLTSETTING]\r\nPLTSTYLE=\r\n", decodedBy("gbk"));
    EXPECT_EQ(L"", get(L"PLTSETTING", L"PLTSTYLE"));
    EXPECT_EQ(L"结构", get(L"sysemset", L"specname"));
}

TEST_F(ProfileWrite, ANewFileIsNeverBomLessUtf8) {
    // 暖通 in GBK (C5 AF CD A8) is also valid UTF-8: written as GBK it must still read as 暖通.
    ASSERT_TRUE(put(L"SYSEMSET", L"SPECNAME", L"暖通"));
    EXPECT_EQ("[SYSEMSET]\r\nSPECNAME=\xC5\xAF\xCD\xA8\r\n", bytes());
    EXPECT_EQ(L"暖通", get(L"SYSEMSET", L"SPECNAME"));
    // What GBK cannot hold makes the new file UTF-16LE with a mark, as Windows tools write it.
    ASSERT_EQ(0, std::remove(dir.native("SHEETCONFIG.INI").c_str()));
    ASSERT_TRUE(put(L"ATTRVALUE", L"设计", L"김철수"));
    EXPECT_EQ("\xff\xfe", bytes().substr(0, 2));
    EXPECT_EQ("[ATTRVALUE]\r\n设计=김철수\r\n", decodedBy("utf-16"));
    EXPECT_EQ(L"김철수", get(L"ATTRVALUE", L"设计"));
}

TEST_F(ProfileWrite, ReplacesInPlaceAndKeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; settings of the office\n"
        "garbage line\n"
        "[SYSEMSET]\n"
        "  RootPath = C:\\old  \n"
        "ROOTPATH=duplicate\n"
        "\n"
        "; about the next section\n"
        "[PLTSETTING]\n"
        "PLTCOUNT=1";
    dir.write("SHEETCONFIG.INI", before);
    ASSERT_TRUE(put(L"sysemset", L"ROOTPATH", L"D:\\图纸"));
    ASSERT_TRUE(put(L"SYSEMSET", L"USERNAME", L"李四"));
    ASSERT_TRUE(put(L"PLTSETTING", L"PLTDRIVER", L"DWG TO PDF.pc3"));
    // An ASCII file is in the ANSI code page: what is written into it is GBK.
    EXPECT_EQ("; settings of the office\n"
              "garbage line\n"
              "[SYSEMSET]\n"
              "RootPath=D:\\图纸\n"
              "ROOTPATH=duplicate\n"
              "USERNAME=李四\n"
              "\n"
              "; about the next section\n"
              "[PLTSETTING]\n"
              "PLTCOUNT=1\n"
              "PLTDRIVER=DWG TO PDF.pc3\n",
              decodedBy("gbk"));
    EXPECT_EQ(L"D:\\图纸", get(L"SYSEMSET", L"ROOTPATH"));
}

TEST_F(ProfileWrite, KeepsCrlfFilesCrlfAndNeverRewritesForANoOp) {
    dir.write("SHEETCONFIG.INI", "[A]\r\nK=v\r\n");
    ASSERT_TRUE(put(L"A", L"J", L"w"));
    EXPECT_EQ("[A]\r\nK=v\r\nJ=w\r\n", bytes());
    struct stat st1, st2;
    ASSERT_EQ(0, stat(dir.native("SHEETCONFIG.INI").c_str(), &st1));
    EXPECT_TRUE(put(L"A", L"K", L"v"));
    EXPECT_TRUE(put(L"A", L"MISSING", nullptr));
    EXPECT_TRUE(put(L"NOSECTION", nullptr, nullptr));
    ASSERT_EQ(0, stat(dir.native("SHEETCONFIG.INI").c_str(), &st2));
    EXPECT_EQ(st1.st_ino, st2.st_ino);
    EXPECT_TRUE(WritePrivateProfileStringW(L"A", L"K", nullptr, dir.windows("absent.ini").c_str()));
    EXPECT_FALSE(dir.exists("absent.ini"));
}

TEST_F(ProfileWrite, DeletesEveryCopyOfAKeyOrSection) {
    dir.write("SHEETCONFIG.INI", "[A]\nK=1\nk=2\nL=3\n[B]\nK=b\n; kept\n[a]\nK=4\nM=5\n");
    ASSERT_TRUE(put(L"A", L"K", nullptr));
    EXPECT_EQ("[A]\nL=3\n[B]\nK=b\n; kept\n[a]\nM=5\n", bytes());
    EXPECT_EQ(L"<none>", get(L"A", L"K"));
    ASSERT_TRUE(put(L"a", nullptr, nullptr));
    EXPECT_EQ("[B]\nK=b\n; kept\n", bytes());
}

TEST_F(ProfileWrite, GbkFilesStayGbkWithTheirOtherBytesUntouched) {
    std::string gbk;
    ASSERT_TRUE(vx::text::toAnsi(L"[SYSEMSET]\r\n; 注释\r\nSPECNAME=暖通\r\nUSERNAME=王五\r\n", gbk));
    dir.write("SHEETCONFIG.INI", gbk);
    ASSERT_TRUE(put(L"SYSEMSET", L"SPECNAME", L"给排水"));
    ASSERT_TRUE(put(L"ATTRVALUE", L"图号", L"JS-01"));
    EXPECT_EQ("[SYSEMSET]\r\n; 注释\r\nSPECNAME=给排水\r\nUSERNAME=王五\r\n\r\n[ATTRVALUE]\r\n图号=JS-01\r\n",
              decodedBy("gbk"));
    EXPECT_EQ(L"给排水", get(L"SYSEMSET", L"SPECNAME"));
}

TEST_F(ProfileWrite, UnstorableCharactersTurnAGbkFileIntoUtf16) {
    std::string gbk;
    ASSERT_TRUE(vx::text::toAnsi(L"[SYSEMSET]\nSPECNAME=建筑\n", gbk));
    dir.write("SHEETCONFIG.INI", gbk);
    ASSERT_TRUE(put(L"ATTRVALUE", L"设计", L"한글 😀 €"));
    const std::string b = bytes();
    ASSERT_GE(b.size(), 2u);
    EXPECT_EQ("\xff\xfe", b.substr(0, 2));
    EXPECT_EQ("[SYSEMSET]\nSPECNAME=建筑\n\n[ATTRVALUE]\n设计=한글 😀 €\n", decodedBy("utf-16"));
    EXPECT_EQ(L"한글 😀 €", get(L"ATTRVALUE", L"设计"));
    EXPECT_EQ(L"建筑", get(L"SYSEMSET", L"SPECNAME"));
}

TEST_F(ProfileWrite, AResultThatWouldReadBackInAnotherEncodingBecomesUtf16) {
    // GBK for 小 (D0 A1) is also valid UTF-8, but reads back as GBK: the file stays GBK.
    std::string gbk;
    ASSERT_TRUE(vx::text::toAnsi(L"[S]\nA=建筑\nB=x\n", gbk));
    dir.write("SHEETCONFIG.INI", gbk);
    ASSERT_TRUE(put(L"S", L"A", L"小"));
    EXPECT_EQ(L"小", get(L"S", L"A"));
    EXPECT_EQ("[S]\nA=小\nB=x\n", decodedBy("gbk"));
    // GBK for 3掳 (33 C2 B0) reads better as the UTF-8 "3°": left so, it would come back as that.
    ASSERT_TRUE(put(L"S", L"A", L"3掳"));
    EXPECT_EQ(L"3掳", get(L"S", L"A"));
    EXPECT_EQ("[S]\nA=3掳\nB=x\n", decodedBy("utf-16"));
    // And the other way: a UTF-8 file left holding only é (C3 A9) would read as GBK 茅.
    dir.write("SHEETCONFIG.INI", "[S]\nA=" + vx::text::toUtf8(L"建筑") + "\n");
    ASSERT_TRUE(put(L"S", L"A", L"é"));
    EXPECT_EQ(L"é", get(L"S", L"A"));
    EXPECT_EQ("[S]\nA=é\n", decodedBy("utf-16"));
}

TEST_F(ProfileWrite, UndecodableBytesAreNeverConvertedAway) {
    const std::string before = "[S]\r\nA=\xff\x80 legacy\r\n";
    dir.write("SHEETCONFIG.INI", before);
    EXPECT_FALSE(put(L"S", L"B", L"😀"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
    EXPECT_EQ(before, bytes());
    ASSERT_TRUE(put(L"S", L"B", L"中"));
    std::string zhong;
    ASSERT_TRUE(vx::text::toAnsi(L"中", zhong));
    EXPECT_EQ(before + "B=" + zhong + "\r\n", bytes());
}

TEST_F(ProfileWrite, BomLessUtf8FilesWrittenEarlierStayUtf8) {
    const std::string before = vx::text::toUtf8(L"[SYSEMSET]\nSPECNAME=给排水\n");
    dir.write("SHEETCONFIG.INI", before);
    EXPECT_EQ(L"给排水", get(L"SYSEMSET", L"SPECNAME"));
    ASSERT_TRUE(put(L"SYSEMSET", L"USERNAME", L"王五"));
    EXPECT_EQ(before + vx::text::toUtf8(L"USERNAME=王五\n"), bytes());
    EXPECT_EQ(L"王五", get(L"SYSEMSET", L"USERNAME"));
}

TEST_F(ProfileWrite, Utf16AndBomFilesKeepTheirEncoding) {
    const std::string py =
        "import sys\n"
        "open(sys.argv[1] + \"/u16.ini\", \"wb\").write(b\"\\xff\\xfe\" + \"[S]\\r\\nK=旧\\r\\n\".encode(\"utf-16-le\"))\n"
        "open(sys.argv[1] + \"/SHEETCONFIG.INI\", \"wb\").write(\"[S]\\nK=旧\\n\".encode(\"utf-8-sig\"))\n";
    dir.write("make.py", py);
    ASSERT_EQ(0, std::system(("/usr/bin/python3 " + dir.native("make.py") + " " + dir.path()).c_str()));
    ASSERT_TRUE(put(L"S", L"K", L"新"));
    ASSERT_TRUE(put(L"S", L"N", L"二"));
    EXPECT_EQ("\xEF\xBB\xBF[S]\nK=新\nN=二\n", bytes());
    const std::wstring u16 = dir.windows("u16.ini");
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"N", L"二", u16.c_str()));
    file = u16;
    EXPECT_EQ(std::string("\xff\xfe", 2) + vx::text::toUtf16LE(L"[S]\r\nK=旧\r\nN=二\r\n"),
              dir.read("u16.ini"));
}

TEST_F(ProfileWrite, AStrayByteAtTheEndOfAUtf16FileDoesNotShiftWhatFollows) {
    dir.write("SHEETCONFIG.INI", std::string("\xff\xfe", 2) + vx::text::toUtf16LE(L"[S]\nK=v") + std::string(1, '\0'));
    const std::wstring before = get(L"S", L"K");
    ASSERT_TRUE(put(L"T", L"N", L"新"));
    EXPECT_EQ(L"新", get(L"T", L"N"));
    EXPECT_EQ(before, get(L"S", L"K"));
    EXPECT_EQ(0u, bytes().size() % 2);
}

TEST_F(ProfileWrite, LongChineseValuesRoundTrip) {
    std::wstring big;
    for (int i = 0; i < 10000; ++i) big += static_cast<wchar_t>(L'一' + i % 700);
    ASSERT_TRUE(put(L"ATTRVALUE", L"图名", big.c_str()));
    EXPECT_EQ(big, get(L"ATTRVALUE", L"图名"));
    EXPECT_EQ(big.substr(0, 499), get(L"ATTRVALUE", L"图名", 500));
}

TEST_F(ProfileWrite, FailsWithoutTouchingAnythingWhenTheFileCannotBeWritten) {
    dir.write("plain", "not a folder");
    const std::wstring underFile = dir.windows("plain") + L"\\SHEETCONFIG.INI";
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", underFile.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_EQ("not a folder", dir.read("plain"));

    const std::wstring missing = dir.windows("no\\such\\SHEETCONFIG.INI");
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", missing.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    ASSERT_EQ(0, mkdir(dir.native("folder.ini").c_str(), 0755));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", dir.windows("folder.ini").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());

    dir.write("locked.ini", "[S]\nK=old\n");
    ASSERT_EQ(0, chmod(dir.native("locked.ini").c_str(), 0444));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"new", dir.windows("locked.ini").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_EQ("[S]\nK=old\n", dir.read("locked.ini"));

    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", L"/proc/vx-settings.ini"));
    EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    EXPECT_EQ(3u, dir.entryCount());  // plain, folder.ini, locked.ini: no temporary file left
}

TEST_F(ProfileWrite, WritesFilesWithTheLongestNamesAndLeavesNoTemporary) {
    // 250 bytes: the temporary beside it must not need a longer name than the folder allows.
    const std::string name = std::string(130, 's') + "图框设置图框设置图框设置图框设置图框设置图框设置图框设置图框设置图框设置图框设置" + ".ini";
    ASSERT_EQ(254u, name.size());
    const std::wstring longFile = dir.windows(name);
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"K", L"v", longFile.c_str())) << GetLastError();
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"K", L"w", longFile.c_str())) << GetLastError();
    EXPECT_EQ("[S]\r\nK=w\r\n", dir.read(name));
    EXPECT_EQ(1u, dir.entryCount());
}

TEST_F(ProfileWrite, RefusesNamesAndValuesThatWouldChangeTheFileStructure) {
    dir.write("SHEETCONFIG.INI", "[S]\r\nK=v\r\n");
    EXPECT_FALSE(put(L"S", L"K", L"line\r\nINJECTED=1"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_FALSE(put(L"S", L"A=B", L"v"));
    EXPECT_FALSE(put(L"S", L"  ", L"v"));
    EXPECT_FALSE(put(L"S]x", L"K", L"v"));
    EXPECT_FALSE(put(nullptr, L"K", L"v"));
    EXPECT_TRUE(put(nullptr, nullptr, nullptr));
    EXPECT_EQ("[S]\r\nK=v\r\n", bytes());
}

TEST_F(ProfileWrite, KeepsPermissionsAndSymbolicLinks) {
    dir.write("real.ini", "[S]\nK=1\n");
    ASSERT_EQ(0, chmod(dir.native("real.ini").c_str(), 0640));
    ASSERT_EQ(0, symlink("real.ini", dir.native("SHEETCONFIG.INI").c_str()));
    ASSERT_TRUE(put(L"S", L"K", L"2"));
    struct stat st;
    ASSERT_EQ(0, lstat(dir.native("SHEETCONFIG.INI").c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(0, stat(dir.native("real.ini").c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
    EXPECT_EQ("[S]\nK=2\n", dir.read("real.ini"));
}

}  // namespace
