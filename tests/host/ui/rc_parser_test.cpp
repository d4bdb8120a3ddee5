#include <gtest/gtest.h>

#include <map>

#include "gridctrl.h"
#include "text/encoding.h"
#include "ui/rc_model.h"

namespace vx::ui::rc {
namespace {

// Files by name, as an embedded table would hold them.
FileReader filesReader(std::map<std::string, std::string> files) {
    return [files](const std::string&, const std::string& path, std::string& resolved, std::string& bytes) {
        std::string p = path;
        for (char& c : p)
            if (c == '\\') c = '/';
        auto it = files.find(p);
        if (it == files.end()) return false;
        resolved = p;
        bytes = it->second;
        return true;
    };
}

const Control* byId(const Dialog& d, int id) {
    for (const Control& c : d.controls)
        if (c.id == id) return &c;
    return nullptr;
}

const char* const kHeader = R"(
#define IDD_SAMPLE   139
#define IDC_BASE     160
#define IDC_LIST     (IDC_BASE + 2)
#define IDC_GRID     0xA3
#ifdef APSTUDIO_INVOKED
#define NEVER_DEFINED 1
#endif
)";

const char* const kScript = u8R"(#include "resource.h"
#include "afxres.h"
// A comment line; /* a block
/* and a block comment over
   two lines, with "quotes" */
IDD_SAMPLE DIALOGEX 0, 0, 398, 329
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
EXSTYLE WS_EX_APPWINDOW
CAPTION "批量图号"
FONT 9, "宋体", 400, 0, 0x86
BEGIN
    GROUPBOX        "图框信息",IDC_STATIC,7,7,384,250
    CONTROL         "",IDC_LIST,"SysListView32",LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER |
                    WS_TABSTOP,14,18,370,232
    CONTROL         "",IDC_GRID,"MFCGridCtrl",WS_TABSTOP,14,18,370,232, WS_EX_CLIENTEDGE
    LTEXT           "图号固定部分：",IDC_STATIC,60,266,57,8
    RTEXT           "右",IDC_STATIC,1,2,3,4
    CTEXT           "中",IDC_STATIC,1,2,3,4,SS_SUNKEN
    EDITTEXT        168,118,263,60,14,ES_AUTOHSCROLL | ES_READONLY
    AUTOCHECKBOX    "全选",357,14,266,32,10
    CHECKBOX        "手动",358,14,266,32,10, NOT WS_TABSTOP
    COMBOBOX        140,55,97,71,30,CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL
    LISTBOX         120,10,10,100,80,LBS_NOINTEGRALHEIGHT | WS_VSCROLL
    PUSHBUTTON      "选择图框",171,45,300,50,20, NOT WS_VISIBLE
    DEFPUSHBUTTON   "更新",173,205,300,50,20
    PUSHBUTTON      "关闭",IDCANCEL,265,300,50,20
END
)";

TEST(RcParser, ReadsEveryControlKindWithStylesAndIds) {
    Script s;
    ParseError e;
    ASSERT_TRUE(parseText("VorlixDesign.rc", kScript, filesReader({{"resource.h", kHeader}}), s, e)) << e.text();
    ASSERT_EQ(s.dialogs.size(), 1u);
    const Dialog& d = s.dialogs[0];
    EXPECT_EQ(d.id, 139);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.caption, L"批量图号");
    EXPECT_EQ(d.cx, 398);
    EXPECT_EQ(d.cy, 329);
    EXPECT_EQ(d.fontPoints, 9);
    EXPECT_EQ(d.fontFace, L"宋体");
    EXPECT_EQ(d.style, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(d.exStyle, WS_EX_APPWINDOW);
    ASSERT_EQ(d.controls.size(), 14u);

    EXPECT_EQ(d.controls[0].className, L"Button");
    EXPECT_EQ(d.controls[0].style & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(d.controls[0].id, -1);

    const Control* list = byId(d, 162);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->className, L"SysListView32");
    EXPECT_EQ(list->style, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP);
    EXPECT_EQ(list->cx, 370);

    const Control* grid = byId(d, 0xA3);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->className, L"MFCGridCtrl");
    EXPECT_EQ(grid->exStyle, WS_EX_CLIENTEDGE);

    EXPECT_EQ(d.controls[3].text, L"图号固定部分：");
    EXPECT_EQ(d.controls[3].style, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP);
    EXPECT_EQ(d.controls[4].style & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ(d.controls[5].style, WS_CHILD | WS_VISIBLE | SS_CENTER | WS_GROUP | SS_SUNKEN);

    const Control* edit = byId(d, 168);
    EXPECT_EQ(edit->className, L"Edit");
    EXPECT_EQ(edit->style, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY);
    EXPECT_EQ(byId(d, 357)->style & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(byId(d, 358)->style & WS_TABSTOP, 0u) << "NOT removes a default style";
    EXPECT_EQ(byId(d, 140)->className, L"ComboBox");
    EXPECT_EQ(byId(d, 140)->style & 0x3, CBS_DROPDOWNLIST);
    EXPECT_TRUE(byId(d, 140)->style & CBS_SORT);
    EXPECT_EQ(byId(d, 120)->style, WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_BORDER | LBS_NOINTEGRALHEIGHT | WS_VSCROLL);
    EXPECT_EQ(byId(d, 171)->style & WS_VISIBLE, 0u);
    EXPECT_EQ(byId(d, 173)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(byId(d, IDCANCEL)->text, L"关闭");

    EXPECT_EQ(s.symbols.at("IDC_LIST"), 162);
    EXPECT_EQ(s.symbols.count("NEVER_DEFINED"), 0u);
}

TEST(RcParser, ReadsStringTablesBitmapsAndSkipsOtherResources) {
    const char* rc = u8R"(
#define IDS_HELLO 7
#if defined(IDS_HELLO) && IDS_HELLO > 5
#define IDB_ICONS 136
#else
#define IDB_ICONS 999
#endif
STRINGTABLE
BEGIN
    IDS_HELLO   "说 ""你好""\tTab"
    8,          L"wide"
END
IDB_ICONS BITMAP "res\\icons.bmp"
1 VERSIONINFO
 FILEVERSION 1,0,0,1
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        VALUE "CompanyName", "Vorlix"
    END
END
ABOUT DIALOG 0, 0, 100, 50
BEGIN
    PUSHBUTTON "OK", IDOK, 1, 1, 20, 10
END
)";
    Script s;
    ParseError e;
    ASSERT_TRUE(parseText("x.rc", rc, filesReader({{"res/icons.bmp", "BMdata"}}), s, e)) << e.text();
    EXPECT_EQ(s.strings.at(7), L"说 \"你好\"\tTab");
    EXPECT_EQ(s.strings.at(8), L"wide");
    ASSERT_NE(s.bitmap(136), nullptr);
    EXPECT_EQ(s.bitmap(136)->bytes, "BMdata");
    ASSERT_EQ(s.dialogs.size(), 1u);
    EXPECT_EQ(s.dialogs[0].name, L"ABOUT");
    EXPECT_EQ(s.dialogs[0].id, -1);
    EXPECT_EQ(s.dialogs[0].style, WS_POPUP | WS_BORDER | WS_SYSMENU) << "the default style of a DIALOG";
}

TEST(RcParser, ReadsUtf16LittleEndianScripts) {
    std::wstring text = L"5 DIALOGEX 0,0,10,10\nCAPTION \"系统设置\"\nBEGIN\nLTEXT \"根目录：\",-1,1,1,5,5\nEND\n";
    std::string bytes = "\xFF\xFE" + vx::text::toUtf16LE(text);
    Script s;
    ParseError e;
    ASSERT_TRUE(parseText("u16.rc", bytes, nullptr, s, e)) << e.text();
    ASSERT_NE(s.dialog(5), nullptr);
    EXPECT_EQ(s.dialog(5)->caption, L"系统设置");
    EXPECT_EQ(s.dialog(5)->controls.at(0).text, L"根目录：");
}

struct BadScript {
    const char* script;
    const char* file;
    int line;
    const char* message;
};

TEST(RcParser, MalformedScriptsNameTheFileAndLine) {
    const BadScript cases[] = {
        {"1 DIALOG 0,0,1,1\nBEGIN\n  SLIDER \"x\", 1, 1,1,1,1\nEND\n", "main.rc", 3, "unknown control statement"},
        {"\n#include \"missing.h\"\n", "main.rc", 2, "cannot open include file \"missing.h\""},
        {"#include \"bad.h\"\n", "bad.h", 3, "#error"},
        {"1 DIALOG 0,0,1,1\nCAPTION \"open\n", "main.rc", 2, "unterminated string"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n\n  EDITTEXT IDC_NOWHERE, 1,1,1,1\nEND\n", "main.rc", 4, "undefined symbol IDC_NOWHERE"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  LTEXT \"a\", -1, 1,1,1,1\n", "main.rc", 3, "END expected"},
        {"/* never closed\n\n", "main.rc", 1, "unterminated comment"},
        {"#endif\n", "main.rc", 1, "#endif without #if"},
        {"#ifdef X\n1 DIALOG 0,0,1,1\n", "main.rc", 2, "#if without #endif"},
        {"1 DIALOG 0,0,1,1\nBEGIN\nEND\n1 DIALOGEX 0,0,2,2\nBEGIN\nEND\n", "main.rc", 4, "defined twice"},
        {"1 DIALOG 0,0,1\nBEGIN\nEND\n", "main.rc", 1, "x, y, width and height"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  PUSHBUTTON \"a\", 5, 1, 1\nEND\n", "main.rc", 3, "needs more arguments"},
        {"1 DIALOG 0,0,1,1\nSTYLE WS_CHILD | | WS_VISIBLE\nBEGIN\nEND\n", "main.rc", 2, "value expected"},
        {"1 DIALOG 0,0,1,1/0\nBEGIN\nEND\n", "main.rc", 1, "division by zero"},
        {"#define A B\n#define B A\n1 DIALOG 0,0,A,1\nBEGIN\nEND\n", "main.rc", 3, "undefined symbol"},
    };
    auto reader = filesReader({{"bad.h", "#define OK 1\n\n#error the header is broken\n"}});
    for (const BadScript& c : cases) {
        Script s;
        ParseError e;
        EXPECT_FALSE(parseText("main.rc", c.script, reader, s, e)) << c.script;
        EXPECT_EQ(e.file, c.file) << c.script;
        EXPECT_EQ(e.line, c.line) << c.script << " -> " << e.text();
        EXPECT_NE(e.message.find(c.message), std::string::npos) << c.script << " -> " << e.text();
        EXPECT_TRUE(s.dialogs.empty()) << "nothing is left half-filled";
    }
}

}  // namespace
}  // namespace vx::ui::rc
