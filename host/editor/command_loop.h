// The command loop: what runs a line typed at the command prompt (module commands by local name
// or "_" + global name, host commands), the posted-command queue, and the exit request.
#pragma once

#include <string>

namespace vx::editor {

enum class RunResult { kRan, kUnknown, kNotTransparent, kTooDeep };

// How many transparent commands may run inside one another. Each waits at a prompt on the
// call stack, so without a limit a script of nested "'" lines would overflow it.
constexpr int kMaxTransparentDepth = 4;

// Runs one command line. `transparent`: started with "'" from inside another command's prompt;
// refused (kTooDeep) when kMaxTransparentDepth transparent commands are already running.
RunResult runCommandLine(const std::wstring& line, bool transparent = false);

// Reads and runs commands until the input ends or QUIT is accepted. Returns the number of
// lines that could not be used (0 = every line worked).
int runCommandLoop();

// acedPostCommand: each "\n"-ended part becomes a line read before any other input.
void postLines(const std::wstring& text);

void requestQuit();
bool quitRequested();
void clearQuit();

// Nesting depth of running stack commands (0 at the command prompt).
int commandDepth();

}  // namespace vx::editor
