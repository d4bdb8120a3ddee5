// Everything the rest of the module uses of the settings: the record and the settings file.
#pragma once

#include "settings/settings_file.h"
#include "settings/settings_record.h"
