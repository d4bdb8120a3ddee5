// Ids shared by every resource of the module. Each dialog's own ids are in ids_*.h beside it.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
