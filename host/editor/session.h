// The start-up and shut-down both hosts run (console and desktop): the host's commands and
// banner, the first drawing, the module, the command loop, and at the end every module
// unloaded and every drawing closed. Each host only chooses where input comes from and where
// output goes.
#pragma once

#include <string>

namespace vx::editor {

struct SessionOptions {
    std::string drawing;    // empty: the sample project drawing when there is one, else a new drawing
    std::string module;     // empty: the module of this build (bin/../module/VorlixDesign.arx)
    bool noModule = false;
    std::string sourceDir;  // the source tree, where the sample drawing is looked for first
};

enum class StartResult {
    kStarted,
    kDrawingUnreadable,  // a drawing named in the options could not be read: the run ends (status 1)
    kNoDrawing,          // not even a new drawing could be made
};

// Registers the host commands, prints the banner and opens the first drawing. The host then
// attaches its input before the module loads: a question the module asks while it loads (the
// update check's) is answered by the script's first lines or by the user.
StartResult startSession(const SessionOptions& options);
// Loads the module. A module named in the options that does not load counts as an unusable line.
void loadSessionModule(const SessionOptions& options);
// Reads and runs commands from the input sources already pushed; the count of unusable lines.
int runSession();
// Unloads every module (newest first), says which drawings were left unsaved without anybody
// being asked, and closes every drawing.
void endSession();

std::string defaultModulePath();
std::string defaultDrawingPath(const std::string& sourceDir);

}  // namespace vx::editor
