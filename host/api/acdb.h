// The drawing database API in one include.
#pragma once

#include "acadstrc.h"
#include "accmcolor.h"
#include "acge.h"
#include "adesk.h"
#include "dbdatabase.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbid.h"
#include "dbobject.h"
#include "dbsymtb.h"
