// Parsed resource scripts by instance: the module's embedded scripts, registered when it
// attaches (AfxInitExtensionModule) and dropped when it detaches. Instances are normalised to
// the binary that contains the address, so any address inside a module names that module.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/rc_model.h"
#include "vxresource.h"
#include "win32.h"

namespace vx::ui {

HINSTANCE normaliseInstance(HINSTANCE instance);

// Files as (name relative to the script's folder, bytes); the first one is the script.
// False with `error` ("file:line: message") when the script does not parse.
bool registerResources(HINSTANCE instance, const std::vector<std::pair<std::string, std::string>>& files,
                       std::string& error);
// Registers a table of embedded files (see vxresource.h).
bool registerEmbeddedTable(HINSTANCE instance, const VxEmbeddedFile* table, std::string& error);
// Loads the table of a module's binary (vx_embedded_resources) and registers it. A binary
// without a table registers nothing; false (with `error`) when the binary is not known or its
// script does not parse.
bool registerEmbeddedResources(HINSTANCE instance, std::string& error);
void unregisterResources(HINSTANCE instance);

const rc::Script* resourcesOf(HINSTANCE instance);
// The resources of the instance on top of the resource-handle stack.
const rc::Script* currentResources();
// "the host's resources" or the module file's name, for messages.
std::wstring describeInstance(HINSTANCE instance);

}  // namespace vx::ui
