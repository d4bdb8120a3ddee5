// Security descriptors of files and folders in their string form (SDDL), as Windows offers them
// through sddl.h and aclapi.h. On this platform an access list is the file's permission bits:
// the owner is "S-1-22-1-<uid>", its group "S-1-22-2-<gid>", everyone "WD"; the rights FR, FW,
// FX (FA for all three) of an allowing entry ("A") are the read, write and execute bits of that
// class. Understood on input: trustees OW/CO (the owner), the owner's and group's SIDs, WD, AU
// and BU (everyone); "D:NO_ACCESS_CONTROL" (no access list: everyone has full access).
// Refused (ERROR_INVALID_PARAMETER): denying entries, other trustees, malformed text.
#pragma once

#include "win32.h"

typedef DWORD SECURITY_INFORMATION;
constexpr SECURITY_INFORMATION OWNER_SECURITY_INFORMATION = 0x1, GROUP_SECURITY_INFORMATION = 0x2,
                               DACL_SECURITY_INFORMATION = 0x4;
constexpr DWORD SDDL_REVISION_1 = 1;
enum SE_OBJECT_TYPE { SE_UNKNOWN_OBJECT_TYPE = 0, SE_FILE_OBJECT = 1 };
typedef void* PSID;
typedef void* PACL;

// The descriptor is allocated for the caller, who frees it with LocalFree.
BOOL ConvertStringSecurityDescriptorToSecurityDescriptorW(LPCWSTR text, DWORD revision,
                                                          PSECURITY_DESCRIPTOR* descriptor, ULONG* size);
// The text is allocated for the caller, who frees it with LocalFree.
BOOL ConvertSecurityDescriptorToStringSecurityDescriptorW(PSECURITY_DESCRIPTOR descriptor, DWORD revision,
                                                          SECURITY_INFORMATION information, LPWSTR* text,
                                                          ULONG* length);
// The descriptor of a file or folder (a link is followed); the error code, ERROR_SUCCESS when it
// worked. Only `descriptor` is filled (freed with LocalFree); the other outputs are set to null.
DWORD GetNamedSecurityInfoW(LPCWSTR name, SE_OBJECT_TYPE type, SECURITY_INFORMATION information, PSID* owner,
                            PSID* group, PACL* dacl, PACL* sacl, PSECURITY_DESCRIPTOR* descriptor);
// Frees what the functions above allocated; null is allowed. Returns null.
HLOCAL LocalFree(HLOCAL memory);
