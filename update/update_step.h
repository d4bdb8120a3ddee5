// The update step of the module's load: ask the service about a newer version, offer it, start
// the updater, and move what an earlier update downloaded into the module folder.
#pragma once

#include <string>

namespace vorlix {

enum class UpdateResult { Continue, HandedOver };

// The service's base address: the module's own unless the host's environment names another in
// VX_UPDATE_SERVICE; an empty setting means no query at all (an empty result).
std::wstring updateServiceAddress();

// HandedOver when the user accepted an upgrade and the updater started: the load must end so
// that the host lets go of the module's files. A failed start is told to the user and the load
// goes on, as after every other outcome.
UpdateResult runUpdateStep(const std::wstring& moduleFolder);

}  // namespace vorlix
