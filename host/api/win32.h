// The Windows platform operations the module calls, provided by the host on this platform.
// Paths may use backslashes; the host maps them to native separators at this border.
#pragma once

#include <cstdint>

#include "actext.h"

typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef wchar_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* HANDLE;
typedef void* HMODULE;
typedef void* HINSTANCE;
typedef void* HWND;
typedef void* PSECURITY_DESCRIPTOR;
typedef void* HLOCAL;
typedef unsigned long ULONG;

// Security attributes of a new object. A descriptor comes from
// ConvertStringSecurityDescriptorToSecurityDescriptorW (sddl.h); none gives the default access.
struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    PSECURITY_DESCRIPTOR lpSecurityDescriptor;
    BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
// Not a regular file, folder or link (a pipe, socket or device node).
constexpr DWORD FILE_ATTRIBUTE_DEVICE = 0x40;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
// A symbolic link (with FILE_ATTRIBUTE_DIRECTORY when it leads to a folder).
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x400;

// Error codes of GetLastError that the host sets.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr DWORD ERROR_WRITE_PROTECT = 19;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
constexpr DWORD ERROR_CANT_RESOLVE_FILENAME = 1921;

DWORD GetLastError();
void SetLastError(DWORD code);

// Private-profile INI files.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                               LPWSTR buffer, DWORD size, LPCWSTR fileName);
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName);
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);

// Files.
DWORD GetFileAttributesW(LPCWSTR path);
BOOL CopyFileW(LPCWSTR existing, LPCWSTR newName, BOOL failIfExists);
BOOL MoveFileW(LPCWSTR existing, LPCWSTR newName);
BOOL DeleteFileW(LPCWSTR path);
BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);

// Code pages: CP_ACP is the host's ANSI code page. With MB_ERR_INVALID_CHARS a byte sequence
// that does not decode fails (ERROR_NO_UNICODE_TRANSLATION) instead of becoming U+FFFD; a
// character the code page lacks becomes the default character ("?"). A length of -1 means a
// NUL-terminated input (the NUL is converted too); a size of 0 asks for the length needed.
constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int length, LPWSTR wide, int size);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, char* multiByte, int size,
                        const char* defaultChar, BOOL* usedDefaultChar);

// The process environment. 0 and ERROR_ENVVAR_NOT_FOUND when the variable is not set, 0 and
// ERROR_SUCCESS when it is set and empty; a buffer too small gives the size needed (NUL included).
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);
// Milliseconds on a clock that never goes back (since an unspecified start).
unsigned long long GetTickCount64();

// The full path of the shared object (or, for a null handle, the executable) that contains
// the address `module`. Returns the number of characters copied, truncating like Windows.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

// A handle to the binary that includes this header: each binary gets its own copy of the
// function, so its address lies inside that binary (the module's "own instance").
static inline HINSTANCE vxThisModuleHandle() {
    return reinterpret_cast<HINSTANCE>(&vxThisModuleHandle);
}
