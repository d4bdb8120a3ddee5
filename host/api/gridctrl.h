// The editable grid control (class name "MFCGridCtrl" in dialog templates): fixed header rows
// and columns, in-place editing of cells that are not read-only, colours and images per cell.
// An edit made by the user is sent to the parent as GVN_ENDLABELEDIT.
#pragma once

#include "afxcmn.h"

constexpr UINT GVIS_FOCUSED = 0x1, GVIS_SELECTED = 0x2, GVIS_DROPHILITED = 0x4,
               GVIS_READONLY = 0x8, GVIS_FIXED = 0x10, GVIS_FIXEDROW = 0x20, GVIS_FIXEDCOL = 0x40,
               GVIS_MODIFIED = 0x80;
constexpr UINT GVN_BEGINLABELEDIT = LVN_BEGINLABELEDIT, GVN_ENDLABELEDIT = LVN_ENDLABELEDIT,
               GVN_SELCHANGED = LVN_ITEMCHANGED;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

struct NM_GRIDVIEW {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

class CGridCtrl : public CWnd {
public:
    CGridCtrl() = default;
    BOOL Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);

    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);
    int GetRowCount() const;
    int GetColumnCount() const;
    int GetFixedRowCount() const;
    int GetFixedColumnCount() const;
    // Appends (nRow -1) or inserts a row; returns its index, -1 on failure.
    int InsertRow(LPCTSTR strHeading, int nRow = -1);
    BOOL DeleteRow(int nRow);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllItems();

    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    // Whether cell (nRow, nCol) takes in-place edits: the grid is editable, the cell is neither
    // fixed nor read-only.
    BOOL IsCellEditable(int nRow, int nCol) const;

    void SetEditable(BOOL bEditable = TRUE);
    BOOL IsEditable() const;
    void SetImageList(CImageList* pList);
    CImageList* GetImageList() const { return m_imageList; }

    BOOL SetColumnWidth(int nCol, int width);
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int height);
    int GetRowHeight(int nRow) const;
    // Fits each row's height to the lines of its tallest cell.
    void AutoSizeRows();
    BOOL AutoSizeRow(int nRow);
    void AutoSizeColumns();
    BOOL AutoSizeColumn(int nCol);
    void SetFocusCell(int nRow, int nCol);
    void EnsureVisible(int, int) {}
    void Refresh() {}
    void SetListMode(BOOL bEnable = TRUE) { m_listMode = bEnable != 0; }
    BOOL GetListMode() const { return m_listMode; }

private:
    CImageList* m_imageList = nullptr;
    bool m_listMode = false;
};

void DDX_GridControl(CDataExchange* pDX, int nIDC, CGridCtrl& rControl);
