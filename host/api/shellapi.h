// Starting a program or opening a document the way the Windows shell does. On this platform
// only programs are started ("open" of an executable file): the program itself, never through
// a shell, its parameters split into separate arguments by the Windows command-line rules.
#pragma once

#include "win32.h"

// Results up to 32 are failures; more is a started program.
constexpr INT SE_ERR_FNF = 2, SE_ERR_PNF = 3, SE_ERR_ACCESSDENIED = 5, SE_ERR_OOM = 8,
              SE_ERR_NOASSOC = 31;
constexpr INT ERROR_BAD_FORMAT = 11;

// verb null or "open". directory null: the host's working folder. The program's standard input
// and output are the null device (its error output is the host's); it runs on in a session of
// its own when the host ends. Failures: SE_ERR_FNF / SE_ERR_PNF (no such file / folder),
// SE_ERR_NOASSOC (another verb, or a file that is not an executable program),
// SE_ERR_ACCESSDENIED, ERROR_BAD_FORMAT (not a format the system runs), SE_ERR_OOM.
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                        INT showCommand);
