// Window-system types and constants of the Windows user interface that dialogs and palettes use,
// and the message box. The windows themselves live in the host's UI core (host/ui).
#pragma once

#include <cstdint>

#include "win32.h"

typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef int32_t LONG;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef DWORD COLORREF;
typedef const wchar_t* LPCTSTR;
typedef wchar_t* LPTSTR;
typedef wchar_t TCHAR;

struct POINT { LONG x; LONG y; };
struct SIZE { LONG cx; LONG cy; };
struct RECT { LONG left; LONG top; LONG right; LONG bottom; };
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The common header of WM_NOTIFY messages.
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

struct CREATESTRUCTW {
    void* lpCreateParams;
    HINSTANCE hInstance;
    void* hMenu;
    HWND hwndParent;
    int cy, cx, y, x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCTW CREATESTRUCT;
typedef CREATESTRUCTW* LPCREATESTRUCT;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}
constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(lo) | (static_cast<WPARAM>(hi) << 16); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16));
}

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000,
                WS_MINIMIZE = 0x20000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
                WS_CLIPSIBLINGS = 0x04000000, WS_CLIPCHILDREN = 0x02000000, WS_MAXIMIZE = 0x01000000,
                WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_DLGFRAME = 0x00400000,
                WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000, WS_SYSMENU = 0x00080000,
                WS_THICKFRAME = 0x00040000, WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000,
                WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x1, WS_EX_TOPMOST = 0x8, WS_EX_TRANSPARENT = 0x20,
                WS_EX_TOOLWINDOW = 0x80, WS_EX_WINDOWEDGE = 0x100, WS_EX_CLIENTEDGE = 0x200,
                WS_EX_CONTEXTHELP = 0x400, WS_EX_STATICEDGE = 0x20000, WS_EX_APPWINDOW = 0x40000;
// Dialog styles.
constexpr DWORD DS_ABSALIGN = 0x1, DS_SYSMODAL = 0x2, DS_LOCALEDIT = 0x20, DS_SETFONT = 0x40,
                DS_MODALFRAME = 0x80, DS_NOIDLEMSG = 0x100, DS_SETFOREGROUND = 0x200,
                DS_3DLOOK = 0x4, DS_FIXEDSYS = 0x8, DS_NOFAILCREATE = 0x10, DS_CONTROL = 0x400,
                DS_CENTER = 0x800, DS_CENTERMOUSE = 0x1000, DS_CONTEXTHELP = 0x2000,
                DS_SHELLFONT = 0x48;
// Buttons.
constexpr DWORD BS_PUSHBUTTON = 0x0, BS_DEFPUSHBUTTON = 0x1, BS_CHECKBOX = 0x2,
                BS_AUTOCHECKBOX = 0x3, BS_RADIOBUTTON = 0x4, BS_3STATE = 0x5, BS_AUTO3STATE = 0x6,
                BS_GROUPBOX = 0x7, BS_USERBUTTON = 0x8, BS_AUTORADIOBUTTON = 0x9,
                BS_OWNERDRAW = 0xB, BS_TYPEMASK = 0xF, BS_LEFTTEXT = 0x20, BS_TEXT = 0x0,
                BS_ICON = 0x40, BS_BITMAP = 0x80, BS_LEFT = 0x100, BS_RIGHT = 0x200,
                BS_CENTER = 0x300, BS_TOP = 0x400, BS_BOTTOM = 0x800, BS_VCENTER = 0xC00,
                BS_PUSHLIKE = 0x1000, BS_MULTILINE = 0x2000, BS_NOTIFY = 0x4000, BS_FLAT = 0x8000;
constexpr int BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2;
// Edits.
constexpr DWORD ES_LEFT = 0x0, ES_CENTER = 0x1, ES_RIGHT = 0x2, ES_MULTILINE = 0x4,
                ES_UPPERCASE = 0x8, ES_LOWERCASE = 0x10, ES_PASSWORD = 0x20,
                ES_AUTOVSCROLL = 0x40, ES_AUTOHSCROLL = 0x80, ES_NOHIDESEL = 0x100,
                ES_OEMCONVERT = 0x400, ES_READONLY = 0x800, ES_WANTRETURN = 0x1000,
                ES_NUMBER = 0x2000;
// Statics.
constexpr DWORD SS_LEFT = 0x0, SS_CENTER = 0x1, SS_RIGHT = 0x2, SS_ICON = 0x3,
                SS_BLACKRECT = 0x4, SS_GRAYRECT = 0x5, SS_WHITERECT = 0x6, SS_BLACKFRAME = 0x7,
                SS_SIMPLE = 0xB, SS_LEFTNOWORDWRAP = 0xC, SS_BITMAP = 0xE, SS_ETCHEDHORZ = 0x10,
                SS_ETCHEDFRAME = 0x12, SS_TYPEMASK = 0x1F, SS_NOPREFIX = 0x80, SS_NOTIFY = 0x100,
                SS_CENTERIMAGE = 0x200, SS_SUNKEN = 0x1000;
// Combo boxes.
constexpr DWORD CBS_SIMPLE = 0x1, CBS_DROPDOWN = 0x2, CBS_DROPDOWNLIST = 0x3,
                CBS_OWNERDRAWFIXED = 0x10, CBS_AUTOHSCROLL = 0x40, CBS_OEMCONVERT = 0x80,
                CBS_SORT = 0x100, CBS_HASSTRINGS = 0x200, CBS_NOINTEGRALHEIGHT = 0x400,
                CBS_DISABLENOSCROLL = 0x800, CBS_UPPERCASE = 0x2000, CBS_LOWERCASE = 0x4000;
// List boxes.
constexpr DWORD LBS_NOTIFY = 0x1, LBS_SORT = 0x2, LBS_NOREDRAW = 0x4, LBS_MULTIPLESEL = 0x8,
                LBS_HASSTRINGS = 0x40, LBS_USETABSTOPS = 0x80, LBS_NOINTEGRALHEIGHT = 0x100,
                LBS_MULTICOLUMN = 0x200, LBS_WANTKEYBOARDINPUT = 0x400, LBS_EXTENDEDSEL = 0x800,
                LBS_DISABLENOSCROLL = 0x1000, LBS_NOSEL = 0x4000,
                LBS_STANDARD = 0x00A00003;
// List views (report view and friends).
constexpr DWORD LVS_ICON = 0x0, LVS_REPORT = 0x1, LVS_SMALLICON = 0x2, LVS_LIST = 0x3,
                LVS_TYPEMASK = 0x3, LVS_SINGLESEL = 0x4, LVS_SHOWSELALWAYS = 0x8,
                LVS_SORTASCENDING = 0x10, LVS_SORTDESCENDING = 0x20, LVS_SHAREIMAGELISTS = 0x40,
                LVS_NOLABELWRAP = 0x80, LVS_AUTOARRANGE = 0x100, LVS_EDITLABELS = 0x200,
                LVS_OWNERDATA = 0x1000, LVS_NOSCROLL = 0x2000, LVS_ALIGNLEFT = 0x800,
                LVS_OWNERDRAWFIXED = 0x400, LVS_NOCOLUMNHEADER = 0x4000, LVS_NOSORTHEADER = 0x8000;

// Messages and notification codes.
constexpr UINT WM_NULL = 0x0, WM_CREATE = 0x1, WM_DESTROY = 0x2, WM_MOVE = 0x3, WM_SIZE = 0x5,
               WM_ACTIVATE = 0x6, WM_SETFOCUS = 0x7, WM_KILLFOCUS = 0x8, WM_ENABLE = 0xA,
               WM_SETTEXT = 0xC, WM_GETTEXT = 0xD, WM_CLOSE = 0x10, WM_SHOWWINDOW = 0x18,
               WM_NOTIFY = 0x4E, WM_KEYDOWN = 0x100, WM_KEYUP = 0x101, WM_CHAR = 0x102,
               WM_SYSKEYDOWN = 0x104, WM_SYSCHAR = 0x106, WM_INITDIALOG = 0x110,
               WM_COMMAND = 0x111, WM_SYSCOMMAND = 0x112, WM_TIMER = 0x113, WM_SIZING = 0x214,
               WM_USER = 0x400, WM_APP = 0x8000;
constexpr UINT BN_CLICKED = 0, BN_DOUBLECLICKED = 5, BN_SETFOCUS = 6, BN_KILLFOCUS = 7;
constexpr UINT EN_SETFOCUS = 0x100, EN_KILLFOCUS = 0x200, EN_CHANGE = 0x300, EN_UPDATE = 0x400;
constexpr UINT CBN_SELCHANGE = 1, CBN_DBLCLK = 2, CBN_SETFOCUS = 3, CBN_KILLFOCUS = 4,
               CBN_EDITCHANGE = 5, CBN_EDITUPDATE = 6, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8,
               CBN_SELENDOK = 9, CBN_SELENDCANCEL = 10;
constexpr UINT LBN_SELCHANGE = 1, LBN_DBLCLK = 2, LBN_SELCANCEL = 3, LBN_SETFOCUS = 4,
               LBN_KILLFOCUS = 5;
constexpr UINT NM_FIRST = 0;
constexpr UINT NM_CLICK = NM_FIRST - 2, NM_DBLCLK = NM_FIRST - 3, NM_RETURN = NM_FIRST - 4,
               NM_RCLICK = NM_FIRST - 5, NM_SETFOCUS = NM_FIRST - 7, NM_KILLFOCUS = NM_FIRST - 8;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;

// Virtual keys the dialog framework reacts to.
constexpr WPARAM VK_RETURN = 0x0D, VK_ESCAPE = 0x1B, VK_TAB = 0x09;

// ShowWindow commands.
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_NORMAL = 1, SW_SHOWMINIMIZED = 2,
              SW_SHOWMAXIMIZED = 3, SW_SHOWNOACTIVATE = 4, SW_SHOW = 5, SW_MINIMIZE = 6,
              SW_SHOWNA = 8, SW_RESTORE = 9, SW_SHOWDEFAULT = 10;
// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4, SWP_NOACTIVATE = 0x10,
               SWP_SHOWWINDOW = 0x40, SWP_HIDEWINDOW = 0x80;

// Dialog results and the identifiers of the standard buttons.
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7,
              IDCLOSE = 8, IDHELP = 9;
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Message boxes. In the console host a box with only an OK button answers itself and is printed;
// any other box reads its answer ("ok", "cancel", "yes", "no", ...) from the command line.
constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
               MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF, MB_ICONHAND = 0x10,
               MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
               MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
               MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0, MB_DEFBUTTON1 = 0x0,
               MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_APPLMODAL = 0x0,
               MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000, MB_SETFOREGROUND = 0x10000,
               MB_TOPMOST = 0x40000;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
// The desktop: a valid owner for message boxes that have no window of their own.
HWND GetDesktopWindow();
