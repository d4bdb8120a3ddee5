// The plot API in one include: the validator, devices, plot info, engines and progress.
#pragma once

#include "acplplotconfig.h"
#include "acplplotengine.h"
#include "acplplotinfo.h"
#include "acplplotprogress.h"
#include "dbplotsetval.h"
