// The shell folder browser. In the console host it prints its title and reads a folder path
// (or "cancel") from the command line; the path handed back is native.
#pragma once

#include "winuser.h"

struct VxItemIdList;
typedef VxItemIdList ITEMIDLIST;
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;

typedef int (*BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

struct BROWSEINFOW {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPWSTR pszDisplayName;  // receives the folder's name, MAX_PATH characters
    LPCWSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
typedef BROWSEINFOW* LPBROWSEINFOW;
typedef BROWSEINFOW BROWSEINFO;

constexpr UINT BIF_RETURNONLYFSDIRS = 0x1, BIF_DONTGOBELOWDOMAIN = 0x2, BIF_STATUSTEXT = 0x4,
               BIF_RETURNFSANCESTORS = 0x8, BIF_EDITBOX = 0x10, BIF_VALIDATE = 0x20,
               BIF_NEWDIALOGSTYLE = 0x40, BIF_USENEWUI = 0x50, BIF_NONEWFOLDERBUTTON = 0x200,
               BIF_BROWSEINCLUDEFILES = 0x4000;

// Null when the user cancels. The list is freed with CoTaskMemFree or ILFree.
LPITEMIDLIST SHBrowseForFolderW(LPBROWSEINFOW lpbi);
inline LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFOW lpbi) { return SHBrowseForFolderW(lpbi); }
// Copies the folder's path (at most MAX_PATH characters with the terminator); FALSE when the
// list is null or the path does not fit.
BOOL SHGetPathFromIDListW(LPCITEMIDLIST pidl, LPWSTR pszPath);
inline BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPWSTR pszPath) { return SHGetPathFromIDListW(pidl, pszPath); }
void CoTaskMemFree(void* pv);
void ILFree(LPITEMIDLIST pidl);
