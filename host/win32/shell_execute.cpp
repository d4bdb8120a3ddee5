// ShellExecuteW on posix_spawn: the program is started directly with its own argument vector,
// so nothing in the parameters is ever seen by a shell.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cwctype>
#include <string>
#include <thread>
#include <vector>

#include "shellapi.h"
#include "text/encoding.h"
#include "win32/command_line_args.h"
#include "win32/paths.h"

extern char** environ;

namespace {

HINSTANCE result(INT code) { return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(code)); }

INT fromErrno(int err) {
    switch (err) {
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    case ENOMEM: return SE_ERR_OOM;
    default: return SE_ERR_ACCESSDENIED;
    }
}

bool isOpenVerb(LPCWSTR verb) {
    if (!verb || !*verb) return true;
    std::wstring v(verb);
    for (wchar_t& c : v) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return v == L"open";
}

// The spawn's file actions and attributes, released on every way out.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT) {
    if (!file || !*file) return result(SE_ERR_FNF);
    if (!isOpenVerb(verb)) return result(SE_ERR_NOASSOC);
    const std::string program = vx::win32::nativePath(file);
    struct stat st;
    if (::stat(program.c_str(), &st) != 0)
        return result(vx::win32::errorFromErrno(errno, program) == ERROR_PATH_NOT_FOUND ? SE_ERR_PNF : SE_ERR_FNF);
    if (!S_ISREG(st.st_mode) || ::access(program.c_str(), X_OK) != 0) return result(SE_ERR_NOASSOC);

    std::string folder;
    if (directory && *directory) {
        folder = vx::win32::nativePath(directory);
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return result(SE_ERR_PNF);
    }

    std::vector<std::string> args{program};
    for (const std::wstring& a : vx::win32::splitCommandLine(parameters ? parameters : L""))
        args.push_back(vx::text::toUtf8(a));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());
    // A session of its own: the program outlives the host (an updater replaces the host's files).
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int err = posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    if (err != 0) return result(fromErrno(err));
    // Nobody else waits for the program; its exit status is collected so it leaves no zombie.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return result(42);
}
