// The registry functions the module reads the host's per-user settings with. The registry is the
// host's per-user profile ($XDG_CONFIG_HOME/vxhost/registry.ini): keys below HKEY_CURRENT_USER
// with string values. Sizes are in bytes, as on Windows; note that a WCHAR here is 4 bytes, so
// a buffer of N WCHARs is N * sizeof(WCHAR) bytes.
#pragma once

#include <cstdint>

#include "win32.h"

typedef struct VxRegistryKey* HKEY;
typedef HKEY* PHKEY;
typedef int32_t LONG;
typedef uint8_t BYTE;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef DWORD REGSAM;

#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD KEY_QUERY_VALUE = 0x0001;
constexpr DWORD KEY_READ = 0x20019;

constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_MORE_DATA = 234;

// Opens an existing key below `key` (a predefined key or one opened before). ERROR_SUCCESS, or
// ERROR_FILE_NOT_FOUND when no such key exists, ERROR_INVALID_HANDLE for an unknown `key`. A
// null or empty `subKey` opens `key` itself again.
LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, PHKEY result);
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// Reads a value (REG_SZ): the text with its terminator, `*dataSize` bytes at most. With `data`
// null only the size is reported. ERROR_MORE_DATA (and the size needed in `*dataSize`) when the
// buffer is too small, ERROR_FILE_NOT_FOUND when the value does not exist.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegCloseKey(HKEY key);
