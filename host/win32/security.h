// Security descriptors on this platform: an owner, a group and an access list that is a set of
// permission bits (see sddl.h for the text form).
#pragma once

#include <sys/types.h>

#include "win32.h"

namespace vx::win32 {

// What CreateDirectoryW makes of its security attributes: the permission bits and whether
// they are exact (an access list was given: the process's umask does not apply). False, with
// ERROR_INVALID_PARAMETER, for a descriptor this host did not make.
bool directoryMode(const SECURITY_ATTRIBUTES* attributes, mode_t& mode, bool& exact);

}  // namespace vx::win32
