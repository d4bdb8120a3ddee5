// Security descriptors as permission bits, in and out of their string form (SDDL).
#include "win32/security.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "sddl.h"
#include "win32/paths.h"

namespace {

constexpr uint32_t kMagic = 0x53444553;  // tells our descriptors from other memory

struct Descriptor {
    uint32_t magic = kMagic;
    bool hasOwner = false, hasGroup = false, hasDacl = false, nullDacl = false;
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;  // the access list's rwx bits
};

const Descriptor* descriptorOf(const void* p) {
    auto* d = static_cast<const Descriptor*>(p);
    return d && d->magic == kMagic ? d : nullptr;
}

BOOL fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

std::wstring ownerSid(uid_t uid) { return L"S-1-22-1-" + std::to_wstring(uid); }
std::wstring groupSid(gid_t gid) { return L"S-1-22-2-" + std::to_wstring(gid); }

// The rwx bits (as 7 = rwx) a rights text grants; false when it is not understood.
bool rightsBits(const std::wstring& rights, mode_t& bits) {
    bits = 0;
    if (rights.size() > 2 && rights[0] == L'0' && (rights[1] == L'x' || rights[1] == L'X')) {
        wchar_t* end = nullptr;
        const unsigned long mask = std::wcstoul(rights.c_str() + 2, &end, 16);
        if (*end) return false;
        if (mask & 0x90000001UL) bits |= 4;                // read data, generic read/all
        if (mask & 0x500C0006UL) bits |= 2;                // write/append data, WRITE_DAC/OWNER, generic write/all
        if (mask & 0x30000020UL) bits |= 1;                // execute/traverse, generic execute/all
        if ((mask & 0x1F01FFUL) == 0x1F01FFUL) bits = 7;   // FILE_ALL_ACCESS
        return true;
    }
    if (rights.size() % 2) return false;
    for (size_t i = 0; i < rights.size(); i += 2) {
        const std::wstring code = rights.substr(i, 2);
        if (code == L"FA" || code == L"GA") bits |= 7;
        else if (code == L"FR" || code == L"GR") bits |= 4;
        else if (code == L"FW" || code == L"GW" || code == L"WD" || code == L"WO") bits |= 2;
        else if (code == L"FX" || code == L"GX") bits |= 1;
        else if (code != L"RC" && code != L"SD" && code != L"CC" && code != L"DC" && code != L"LC" &&
                 code != L"SW" && code != L"RP" && code != L"WP" && code != L"DT" && code != L"LO" && code != L"CR")
            return false;
    }
    return true;
}

// Which permission classes (as mode bit shifts: 6 owner, 3 group, 0 others) a trustee covers.
bool trusteeShifts(const std::wstring& sid, std::vector<int>& shifts) {
    shifts.clear();
    if (sid == L"OW" || sid == L"CO" || sid == ownerSid(geteuid())) shifts = {6};
    else if (sid == groupSid(getegid())) shifts = {3};
    else if (sid == L"WD" || sid == L"AU" || sid == L"BU") shifts = {6, 3, 0};
    else return false;
    return true;
}

// One entry "(type;flags;rights;object;inherited object;trustee)" added to the mode.
bool addEntry(const std::wstring& entry, mode_t& mode) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t semi; (semi = entry.find(L';', start)) != std::wstring::npos; start = semi + 1)
        fields.push_back(entry.substr(start, semi - start));
    fields.push_back(entry.substr(start));
    if (fields.size() != 6 || fields[0] != L"A") return false;
    mode_t bits = 0;
    std::vector<int> shifts;
    if (!rightsBits(fields[2], bits) || !trusteeShifts(fields[5], shifts)) return false;
    for (int shift : shifts) mode |= bits << shift;
    return true;
}

bool parseDacl(const std::wstring& text, Descriptor& d) {
    d.hasDacl = true;
    if (text == L"NO_ACCESS_CONTROL") {
        d.nullDacl = true;
        return true;
    }
    size_t i = 0;
    while (i < text.size() && text[i] != L'(') {
        if (text.compare(i, 2, L"AI") == 0 || text.compare(i, 2, L"AR") == 0) i += 2;
        else if (text[i] == L'P') ++i;
        else return false;
    }
    while (i < text.size()) {
        const size_t close = text.find(L')', i);
        if (text[i] != L'(' || close == std::wstring::npos) return false;
        if (!addEntry(text.substr(i + 1, close - i - 1), d.mode)) return false;
        i = close + 1;
    }
    return true;
}

bool parseId(const std::wstring& sid, const wchar_t* prefix, unsigned long& id) {
    const size_t n = std::wcslen(prefix);
    if (sid.compare(0, n, prefix) != 0 || sid.size() == n) return false;
    wchar_t* end = nullptr;
    id = std::wcstoul(sid.c_str() + n, &end, 10);
    return *end == L'\0';
}

bool parse(const std::wstring& text, Descriptor& d) {
    // Components "O:", "G:", "D:" in any order, each running to the next component.
    size_t i = 0;
    while (i < text.size()) {
        if (i + 1 >= text.size() || text[i + 1] != L':') return false;
        const wchar_t kind = text[i];
        size_t end = i + 2;
        int depth = 0;
        for (; end < text.size(); ++end) {
            if (text[end] == L'(') ++depth;
            if (text[end] == L')') --depth;
            if (depth == 0 && end + 1 < text.size() && text[end + 1] == L':' &&
                (text[end] == L'O' || text[end] == L'G' || text[end] == L'D' || text[end] == L'S'))
                break;
        }
        const std::wstring value = text.substr(i + 2, end - i - 2);
        unsigned long id = 0;
        if (kind == L'O') {
            if (!parseId(value, L"S-1-22-1-", id) && value != L"OW" && value != L"CO") return false;
            d.hasOwner = true;
            d.owner = value == L"OW" || value == L"CO" ? geteuid() : static_cast<uid_t>(id);
        } else if (kind == L'G') {
            if (!parseId(value, L"S-1-22-2-", id)) return false;
            d.hasGroup = true;
            d.group = static_cast<gid_t>(id);
        } else if (kind == L'D') {
            if (!parseDacl(value, d)) return false;
        } else {
            return false;
        }
        i = end;
    }
    return true;
}

template <class T>
T* allocate(size_t count) {
    return static_cast<T*>(std::calloc(count, sizeof(T)));
}

std::wstring rightsText(mode_t bits) {
    if (bits == 7) return L"FA";
    std::wstring r;
    if (bits & 4) r += L"FR";
    if (bits & 2) r += L"FW";
    if (bits & 1) r += L"FX";
    return r;
}

}  // namespace

namespace vx::win32 {

bool directoryMode(const SECURITY_ATTRIBUTES* attributes, mode_t& mode, bool& exact) {
    mode = 0777;
    exact = false;
    if (!attributes || !attributes->lpSecurityDescriptor) return true;
    const Descriptor* d = descriptorOf(attributes->lpSecurityDescriptor);
    if (!d) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!d->hasDacl) return true;
    exact = true;
    mode = d->nullDacl ? 0777 : d->mode;
    return true;
}

}  // namespace vx::win32

BOOL ConvertStringSecurityDescriptorToSecurityDescriptorW(LPCWSTR text, DWORD revision,
                                                          PSECURITY_DESCRIPTOR* descriptor, ULONG* size) {
    if (!text || !descriptor || revision != SDDL_REVISION_1) return fail(ERROR_INVALID_PARAMETER);
    *descriptor = nullptr;
    Descriptor parsed;
    if (!parse(text, parsed)) return fail(ERROR_INVALID_PARAMETER);
    auto* out = allocate<Descriptor>(1);
    if (!out) return fail(ERROR_NOT_ENOUGH_MEMORY);
    *out = parsed;
    *descriptor = out;
    if (size) *size = sizeof(Descriptor);
    return TRUE;
}

BOOL ConvertSecurityDescriptorToStringSecurityDescriptorW(PSECURITY_DESCRIPTOR descriptor, DWORD revision,
                                                          SECURITY_INFORMATION information, LPWSTR* text,
                                                          ULONG* length) {
    const Descriptor* d = descriptorOf(descriptor);
    if (!d || !text || revision != SDDL_REVISION_1) return fail(ERROR_INVALID_PARAMETER);
    std::wstring s;
    if ((information & OWNER_SECURITY_INFORMATION) && d->hasOwner) s += L"O:" + ownerSid(d->owner);
    if ((information & GROUP_SECURITY_INFORMATION) && d->hasGroup) s += L"G:" + groupSid(d->group);
    if ((information & DACL_SECURITY_INFORMATION) && d->hasDacl) {
        s += L"D:";
        if (d->nullDacl) {
            s += L"NO_ACCESS_CONTROL";
        } else {
            s += L"P";
            const std::wstring trustees[3] = {ownerSid(d->owner), groupSid(d->group), L"WD"};
            for (int k = 0; k < 3; ++k) {
                const mode_t bits = (d->mode >> (6 - 3 * k)) & 7;
                if (bits) s += L"(A;;" + rightsText(bits) + L";;;" + trustees[k] + L")";
            }
        }
    }
    auto* out = allocate<wchar_t>(s.size() + 1);
    if (!out) return fail(ERROR_NOT_ENOUGH_MEMORY);
    std::wmemcpy(out, s.c_str(), s.size() + 1);
    *text = out;
    if (length) *length = static_cast<ULONG>(s.size() + 1);
    return TRUE;
}

DWORD GetNamedSecurityInfoW(LPCWSTR name, SE_OBJECT_TYPE type, SECURITY_INFORMATION, PSID* owner, PSID* group,
                            PACL* dacl, PACL* sacl, PSECURITY_DESCRIPTOR* descriptor) {
    for (void** out : {owner, group, dacl, sacl, descriptor})
        if (out) *out = nullptr;
    if (!name || type != SE_FILE_OBJECT || !descriptor) return ERROR_INVALID_PARAMETER;
    const std::string path = vx::win32::nativePath(name);
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return path.empty() ? ERROR_PATH_NOT_FOUND : vx::win32::errorFromErrno(errno, path);
    auto* d = allocate<Descriptor>(1);
    if (!d) return ERROR_NOT_ENOUGH_MEMORY;
    *d = Descriptor();
    d->hasOwner = d->hasGroup = d->hasDacl = true;
    d->owner = st.st_uid;
    d->group = st.st_gid;
    d->mode = st.st_mode & 0777;
    *descriptor = d;
    return ERROR_SUCCESS;
}

HLOCAL LocalFree(HLOCAL memory) {
    std::free(memory);
    return nullptr;
}
