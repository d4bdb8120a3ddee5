// CFileFind over opendir/readdir: the listing is read, filtered by the Windows mask rules and
// sorted when FindFile runs.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>

#include "afx.h"
#include "text/encoding.h"
#include "text/strings.h"
#include "win32/paths.h"

namespace {

// '*' any run of characters, '?' exactly one; letters without regard to case.
bool matchMask(const wchar_t* mask, const wchar_t* name) {
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*mask == L'*') {
            star = ++mask;
            resume = name;
        } else if (*mask == L'?' || (*mask && vx::text::foldCase(*mask) == vx::text::foldCase(*name))) {
            ++mask;
            ++name;
        } else if (star) {
            mask = star;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*mask == L'*') ++mask;
    return *mask == L'\0';
}

bool hasWildcard(const std::wstring& s) { return s.find_first_of(L"*?") != std::wstring::npos; }

bool nameMatches(std::wstring mask, const std::wstring& name) {
    // Windows: "*.*" is every name; a mask ending in "." wants names without an extension.
    if (mask == L"*.*") return true;
    if (mask.size() > 1 && mask.back() == L'.' && hasWildcard(mask)) {
        mask.pop_back();
        if (name.find(L'.') != std::wstring::npos && name != L"." && name != L"..") return false;
    }
    return matchMask(mask.c_str(), name.c_str());
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

std::string absolute(const std::string& folder) {
    if (!folder.empty() && folder[0] == '/') return folder;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return folder;
    return folder == "." ? std::string(cwd) : std::string(cwd) + "/" + folder;
}

}  // namespace

BOOL CFileFind::FindFile(LPCWSTR pattern, DWORD) {
    Close();
    const std::string native = vx::win32::nativePath(pattern && *pattern ? pattern : L"*.*");
    const size_t slash = native.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
    const std::wstring mask = vx::text::fromUtf8(slash == std::string::npos ? native : native.substr(slash + 1));
    folder = absolute(folder);
    m_root = vx::text::fromUtf8(folder);

    const auto add = [&](const std::string& name) {
        struct stat st, own;
        const std::string full = folder + (folder.back() == '/' ? "" : "/") + name;
        if (lstat(full.c_str(), &own) != 0) return;
        const bool resolved = stat(full.c_str(), &st) == 0;
        if (!resolved) st = own;
        Entry e;
        e.name = vx::text::fromUtf8(name);
        e.link = S_ISLNK(own.st_mode);
        e.directory = S_ISDIR(st.st_mode);
        e.device = resolved && !e.directory && !S_ISREG(st.st_mode);
        e.readOnly = (st.st_mode & S_IWUSR) == 0;
        e.size = e.directory ? 0 : static_cast<unsigned long long>(st.st_size);
        m_entries.push_back(std::move(e));
    };

    if (mask.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!hasWildcard(mask)) {
        add(vx::text::toUtf8(mask));
    } else {
        std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
        if (!dir) {
            SetLastError(vx::win32::errorFromErrno(errno, folder + "/x"));
            return FALSE;
        }
        while (const dirent* d = readdir(dir.get())) {
            const std::string name = d->d_name;
            if (nameMatches(mask, vx::text::fromUtf8(name))) add(name);
        }
    }
    const auto rank = [](const Entry& e) { return e.name == L"." ? 0 : (e.name == L".." ? 1 : 2); };
    std::sort(m_entries.begin(), m_entries.end(), [&](const Entry& a, const Entry& b) {
        if (rank(a) != rank(b)) return rank(a) < rank(b);
        int c = a.name.CompareNoCase(b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    if (m_entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_next >= m_entries.size()) return FALSE;
    ++m_next;
    return m_next < m_entries.size() ? TRUE : FALSE;
}

void CFileFind::Close() {
    m_entries.clear();
    m_next = 0;
    m_root.Empty();
}

const CFileFind::Entry* CFileFind::current() const {
    return m_next == 0 || m_next > m_entries.size() ? nullptr : &m_entries[m_next - 1];
}

CString CFileFind::GetFileName() const { return current() ? current()->name : CString(); }

CString CFileFind::GetFilePath() const {
    if (!current()) return CString();
    const bool endsInSlash = !m_root.IsEmpty() && m_root[m_root.GetLength() - 1] == L'/';
    return m_root + (endsInSlash ? L"" : L"/") + current()->name;
}

CString CFileFind::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot < 0 || IsDots() ? name : name.Left(dot);
}

unsigned long long CFileFind::GetLength() const { return current() ? current()->size : 0; }
BOOL CFileFind::IsDots() const {
    return current() && (current()->name == L"." || current()->name == L"..");
}
BOOL CFileFind::IsDirectory() const { return current() && current()->directory; }
BOOL CFileFind::IsReadOnly() const { return current() && current()->readOnly; }

DWORD CFileFind::attributes() const {
    const Entry* e = current();
    if (!e) return 0;
    DWORD a = e->link ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
    if (e->directory) a |= FILE_ATTRIBUTE_DIRECTORY;
    else if (e->device) a |= FILE_ATTRIBUTE_DEVICE;
    else if (e->readOnly) a |= FILE_ATTRIBUTE_READONLY;
    return a ? a : FILE_ATTRIBUTE_NORMAL;
}

BOOL CFileFind::MatchesMask(DWORD mask) const { return (attributes() & mask) != 0; }
