// Reading private-profile files: lookup rules, buffer truncation, listings, numbers, encodings.
#include <gtest/gtest.h>

#include <vector>

#include "temp_folder.h"
#include "win32.h"

namespace {

using vx::test::TempFolder;

std::wstring get(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                 const wchar_t* def = L"", DWORD size = 4096) {
    std::vector<wchar_t> buf(size + 1, L'#');
    DWORD n = GetPrivateProfileStringW(section, key, def, buf.data(), size, file.c_str());
    EXPECT_EQ(L'\0', buf[n]);
    return std::wstring(buf.data(), n);
}

// The NUL-separated names of a listing, as returned (count) and as laid out.
std::vector<std::wstring> list(const std::wstring& file, const wchar_t* section, DWORD size,
                               DWORD* count = nullptr) {
    std::vector<wchar_t> buf(size, L'#');
    DWORD n = GetPrivateProfileStringW(section, nullptr, L"dflt", buf.data(), size, file.c_str());
    if (count) *count = n;
    std::vector<std::wstring> names;
    for (const wchar_t* p = buf.data(); *p; p += names.back().size() + 1) names.emplace_back(p);
    return names;
}

class ProfileRead : public ::testing::Test {
protected:
    TempFolder dir;
    std::wstring file = dir.windows("SHEETCONFIG.INI");
};

TEST_F(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(L"1", get(dir.windows("none.ini"), L"PLTSETTING", L"PLTCOUNT", L"1"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    dir.write("SHEETCONFIG.INI", "[PLTSETTING]\r\nSAVEPATH=D:\\out\r\n");
    EXPECT_EQ(L"1", get(file, L"PLTSETTING", L"PLTCOUNT", L"1"));
    EXPECT_EQ(L"x", get(file, L"OTHER", L"SAVEPATH", L"x"));
    EXPECT_EQ(L"", get(file, L"OTHER", L"SAVEPATH", nullptr));
    // Trailing blanks of a default are dropped, leading ones kept.
    EXPECT_EQ(L" a", get(file, L"OTHER", L"K", L" a  "));
    EXPECT_EQ(L"D:\\out", get(file, L"PLTSETTING", L"SAVEPATH", L"x"));
}

TEST_F(ProfileRead, NamesIgnoreCaseAndBlanksValuesLoseBlanksAndOneQuotePair) {
    dir.write("SHEETCONFIG.INI",
              "[ SysEmSet ]\r\n"
              "  DepartCode =  VX01  \r\n"
              "QUOTED=\"  padded \"\r\n"
              "SINGLE='a'\r\n"
              "MIXED=\"a'\r\n"
              "TWICE=\"\"b\"\"\r\n"
              "EQ=a=b\r\n"
              "EMPTY=\r\n");
    EXPECT_EQ(L"VX01", get(file, L"SYSEMSET", L"DEPARTCODE"));
    EXPECT_EQ(L"VX01", get(file, L"  sysemset ", L" departcode"));
    EXPECT_EQ(L"  padded ", get(file, L"SYSEMSET", L"QUOTED"));
    EXPECT_EQ(L"a", get(file, L"SYSEMSET", L"SINGLE"));
    EXPECT_EQ(L"\"a'", get(file, L"SYSEMSET", L"MIXED"));
    EXPECT_EQ(L"\"b\"", get(file, L"SYSEMSET", L"TWICE"));
    EXPECT_EQ(L"a=b", get(file, L"SYSEMSET", L"EQ"));
    EXPECT_EQ(L"", get(file, L"SYSEMSET", L"EMPTY", L"dflt"));
}

TEST_F(ProfileRead, FirstDuplicateWinsAndRepeatedSectionsAreOne) {
    dir.write("SHEETCONFIG.INI",
              "TOP=before any section\n"
              "[A]\nK=first\nk=second\nnot a key line\n; C=comment\n"
              "[B]\nK=other section\n"
              "[a]\nK=third\nONLY=in the repeat\n");
    EXPECT_EQ(L"first", get(file, L"A", L"K"));
    EXPECT_EQ(L"in the repeat", get(file, L"A", L"ONLY"));
    EXPECT_EQ(L"other section", get(file, L"B", L"K"));
    EXPECT_EQ(L"-", get(file, L"A", L"not a key line", L"-"));
    EXPECT_EQ(L"-", get(file, L"A", L"; C", L"-"));
    EXPECT_EQ(L"-", get(file, L"", L"TOP", L"-"));
}

TEST_F(ProfileRead, LongValuesAreCutToTheBufferLikeWindows) {
    std::wstring big;
    for (int i = 0; i < 10000; ++i) big += static_cast<wchar_t>(L'一' + i % 500);
    std::string line = "[ATTRVALUE]\r\n图名=" + vx::text::toUtf8(big) + "\r\n";
    dir.write("SHEETCONFIG.INI", line);
    EXPECT_EQ(big, get(file, L"ATTRVALUE", L"图名", L"", 20000));
    EXPECT_EQ(big.substr(0, 259), get(file, L"ATTRVALUE", L"图名", L"", 260));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(big.substr(0, 9999), get(file, L"ATTRVALUE", L"图名", L"", 10000));
    EXPECT_EQ(big, get(file, L"ATTRVALUE", L"图名", L"", 10001));
    EXPECT_EQ(L"", get(file, L"ATTRVALUE", L"图名", L"", 1));
    EXPECT_EQ(L"def", get(file, L"ATTRVALUE", L"nope", L"default", 4));
    wchar_t untouched[2] = {L'#', L'#'};
    EXPECT_EQ(0u, GetPrivateProfileStringW(L"ATTRVALUE", L"图名", L"", untouched, 0, file.c_str()));
    EXPECT_EQ(L'#', untouched[0]);
    EXPECT_EQ(0u, GetPrivateProfileStringW(L"ATTRVALUE", L"图名", L"", nullptr, 10, file.c_str()));
}

TEST_F(ProfileRead, ListsSectionsAndKeysOnceEachWithADoubleNul) {
    dir.write("SHEETCONFIG.INI",
              "[SYSEMSET]\nROOTPATH=a\nUSERNAME=b\nrootpath=dup\n"
              "[PLTSETTING]\nPLTCOUNT=2\n[sysemset]\nSPECNAME=c\n");
    DWORD n = 0;
    EXPECT_EQ((std::vector<std::wstring>{L"SYSEMSET", L"PLTSETTING"}), list(file, nullptr, 100, &n));
    EXPECT_EQ(20u, n);
    EXPECT_EQ((std::vector<std::wstring>{L"ROOTPATH", L"USERNAME", L"SPECNAME"}),
              list(file, L" SysEmSet ", 100, &n));
    EXPECT_EQ(27u, n);
    EXPECT_TRUE(list(file, L"MISSING", 100, &n).empty());
    EXPECT_EQ(0u, n);
    EXPECT_TRUE(list(dir.windows("none.ini"), nullptr, 100, &n).empty());
    EXPECT_EQ(0u, n);
}

TEST_F(ProfileRead, TruncatedListsEndInTwoNulsAndReturnSizeMinusTwo) {
    dir.write("SHEETCONFIG.INI", "[S]\nALPHA=1\nBETA=2\n");
    std::vector<wchar_t> buf(12, L'#');
    // "ALPHA\0BETA\0\0" needs 12; 11 cuts the last name.
    EXPECT_EQ(9u, GetPrivateProfileStringW(L"S", nullptr, L"", buf.data(), 11, file.c_str()));
    EXPECT_EQ(std::wstring(L"ALPHA\0BET\0\0", 11), std::wstring(buf.data(), 11));
    EXPECT_EQ(L'#', buf[11]);
    EXPECT_EQ(11u, GetPrivateProfileStringW(L"S", nullptr, L"", buf.data(), 12, file.c_str()));
    EXPECT_EQ(std::wstring(L"ALPHA\0BETA\0\0", 12), std::wstring(buf.data(), 12));
    EXPECT_EQ(0u, GetPrivateProfileStringW(L"S", nullptr, L"", buf.data(), 2, file.c_str()));
    EXPECT_EQ(L'\0', buf[0]);
    EXPECT_EQ(L'\0', buf[1]);
    buf[0] = L'#';
    EXPECT_EQ(0u, GetPrivateProfileStringW(L"S", nullptr, L"", buf.data(), 1, file.c_str()));
    EXPECT_EQ(L'\0', buf[0]);
}

TEST_F(ProfileRead, IntegersParseLeadingDecimalDigits) {
    dir.write("SHEETCONFIG.INI",
              "[TZML]\nrowHeight=8\nneg= -12\nplus=+7mm\ntext=abc\nhex=0x10\nempty=\n"
              "quoted=\"42\"\nbig=4294967297\nfloat=2.5\n");
    const auto num = [&](const wchar_t* key, int def = 99) {
        return static_cast<int>(GetPrivateProfileIntW(L"TZML", key, def, file.c_str()));
    };
    EXPECT_EQ(8, num(L"rowheight"));
    EXPECT_EQ(-12, num(L"neg"));
    EXPECT_EQ(7, num(L"plus"));
    EXPECT_EQ(0, num(L"text"));
    EXPECT_EQ(0, num(L"hex"));
    EXPECT_EQ(99, num(L"empty"));
    EXPECT_EQ(42, num(L"quoted"));
    EXPECT_EQ(1, num(L"big"));
    EXPECT_EQ(2, num(L"float"));
    EXPECT_EQ(-3, num(L"missing", -3));
    EXPECT_EQ(5, static_cast<int>(GetPrivateProfileIntW(L"TZML", L"x", 5, dir.windows("no.ini").c_str())));
}

TEST_F(ProfileRead, ReadsGbkUtf16AndBomFilesWrittenByAnotherProgram) {
    const std::string py =
        "import sys\n"
        "text = \"[SYSEMSET]\\r\\nSPECNAME=暖通\\r\\n[ATTRVALUE]\\r\\n设计=张三\\r\\n\"\n"
        "open(sys.argv[1] + \"/gbk.ini\", \"wb\").write(text.encode(\"gbk\"))\n"
        "open(sys.argv[1] + \"/u16.ini\", \"wb\").write(b\"\\xff\\xfe\" + text.encode(\"utf-16-le\"))\n"
        "open(sys.argv[1] + \"/bom.ini\", \"wb\").write(text.encode(\"utf-8-sig\"))\n";
    dir.write("make.py", py);
    ASSERT_EQ(0, std::system(("/usr/bin/python3 " + dir.native("make.py") + " " + dir.path()).c_str()));
    for (const char* name : {"gbk.ini", "u16.ini", "bom.ini"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(L"暖通", get(dir.windows(name), L"SYSEMSET", L"SPECNAME"));
        EXPECT_EQ(L"张三", get(dir.windows(name), L"attrvalue", L"设计"));
    }
    EXPECT_NE(dir.read("gbk.ini").find("\xc5\xaf\xcd\xa8"), std::string::npos);  // GBK for 暖通
}

TEST_F(ProfileRead, EmptyAndBinaryFilesReadAsHavingNoKeys) {
    dir.write("empty.ini", "");
    EXPECT_EQ(L"d", get(dir.windows("empty.ini"), L"S", L"K", L"d"));
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) % 256);
    binary += std::string("\0[S]\0K=\xff\xfe\n", 10);
    dir.write("bin.ini", binary);
    EXPECT_EQ(L"d", get(dir.windows("bin.ini"), L"NOPE", L"K", L"d"));
    std::vector<wchar_t> buf(64);
    GetPrivateProfileStringW(nullptr, nullptr, L"", buf.data(), 64, dir.windows("bin.ini").c_str());
    // A folder or a device given as the file reads as missing (and never blocks or runs away).
    EXPECT_EQ(L"d", get(dir.windows(""), L"S", L"K", L"d"));
    EXPECT_EQ(L"d", get(L"/dev/zero", L"S", L"K", L"d"));
    EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"v", L"/dev/zero"));
}

}  // namespace
