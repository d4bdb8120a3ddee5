// Common controls of the MFC style: bitmaps, image lists and the list-view control.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"

typedef void* HBITMAP;
typedef void* HIMAGELIST;
typedef void* POSITION;
// Compares the data of two items (and the caller's value): < 0, 0, > 0.
typedef int (*PFNLVCOMPARE)(LPARAM item1, LPARAM item2, LPARAM sortData);

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

// A bitmap loaded from the BITMAP resources of the current resource instance.
class CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    ~CBitmap() { DeleteObject(); }
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitMap) const;
    BOOL DeleteObject();
    HBITMAP GetSafeHandle() const { return m_loaded ? const_cast<CBitmap*>(this) : nullptr; }
    CSize size() const { return CSize(m_width, m_height); }
    // The BMP file the bitmap was loaded from (what a backend draws).
    const std::string& fileBytes() const { return m_bytes; }

private:
    bool m_loaded = false;
    int m_width = 0, m_height = 0, m_bits = 0;
    std::string m_bytes;
};

constexpr UINT ILC_MASK = 0x1, ILC_COLOR = 0x0, ILC_COLOR4 = 0x4, ILC_COLOR8 = 0x8,
               ILC_COLOR16 = 0x10, ILC_COLOR24 = 0x18, ILC_COLOR32 = 0x20;

// A strip of equally wide images; what controls need of it is the image size and count.
class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() = default;
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource: as many images as the bitmap is wide in steps of cx.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int GetImageCount() const { return m_created ? m_count : 0; }
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_created ? const_cast<CImageList*>(this) : nullptr; }
    CSize imageSize() const { return CSize(m_cx, m_cy); }
    COLORREF maskColour() const { return m_mask; }
    // The BMP files the images were cut from, in order (each gives width / cx images).
    const std::vector<std::string>& strips() const { return m_strips; }

private:
    bool m_created = false;
    int m_cx = 0, m_cy = 0, m_count = 0;
    COLORREF m_mask = 0;
    std::vector<std::string> m_strips;
};

// List view.
constexpr DWORD LVS_EX_GRIDLINES = 0x1, LVS_EX_SUBITEMIMAGES = 0x2, LVS_EX_CHECKBOXES = 0x4,
                LVS_EX_TRACKSELECT = 0x8, LVS_EX_HEADERDRAGDROP = 0x10, LVS_EX_FULLROWSELECT = 0x20,
                LVS_EX_ONECLICKACTIVATE = 0x40, LVS_EX_TWOCLICKACTIVATE = 0x80,
                LVS_EX_INFOTIP = 0x400, LVS_EX_LABELTIP = 0x4000, LVS_EX_DOUBLEBUFFER = 0x10000;
constexpr int LVCFMT_LEFT = 0x0, LVCFMT_RIGHT = 0x1, LVCFMT_CENTER = 0x2;
constexpr UINT LVIS_FOCUSED = 0x1, LVIS_SELECTED = 0x2, LVIS_CUT = 0x4, LVIS_DROPHILITED = 0x8,
               LVIS_OVERLAYMASK = 0xF00, LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }
constexpr UINT LVNI_ALL = 0x0, LVNI_FOCUSED = 0x1, LVNI_SELECTED = 0x2, LVNI_ABOVE = 0x100,
               LVNI_BELOW = 0x200;
constexpr UINT LVIF_TEXT = 0x1, LVIF_IMAGE = 0x2, LVIF_PARAM = 0x4, LVIF_STATE = 0x8;
constexpr UINT LVN_FIRST = 0u - 100u;
constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0, LVN_ITEMCHANGED = LVN_FIRST - 1,
               LVN_INSERTITEM = LVN_FIRST - 2, LVN_DELETEITEM = LVN_FIRST - 3,
               LVN_DELETEALLITEMS = LVN_FIRST - 4, LVN_COLUMNCLICK = LVN_FIRST - 8,
               LVN_BEGINLABELEDIT = LVN_FIRST - 75, LVN_ENDLABELEDIT = LVN_FIRST - 76;
constexpr int LVSCW_AUTOSIZE = -1, LVSCW_AUTOSIZE_USEHEADER = -2;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
typedef NMLISTVIEW* LPNMLISTVIEW;
typedef NMLISTVIEW NM_LISTVIEW;

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
};

// The list-view control in report view. Changes of an item's state (selection, focus, check
// box) are sent to the parent as LVN_ITEMCHANGED, as Windows does.
class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL SetColumnWidth(int nCol, int cx);
    int GetColumnWidth(int nCol) const;
    CHeaderCtrl* GetHeaderCtrl();

    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { (void)nImage; return InsertItem(nItem, lpszItem); }
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    BOOL GetCheck(int nItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    // LVNI_ALL / LVNI_SELECTED / LVNI_FOCUSED after nItem (-1: from the top); -1 when none.
    int GetNextItem(int nItem, int nFlags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    UINT GetSelectedCount() const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    // Orders the items by their data; items that compare equal keep their order.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    int GetTopIndex() const { return 0; }

private:
    CHeaderCtrl m_header;
};
