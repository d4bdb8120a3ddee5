// The module's twelve commands in registration order, all in the group "VorlixDesign" and
// all transparent.
#pragma once

#include "rxregsvc.h"

namespace vorlix {

constexpr const ACHAR* kCommandGroup = L"VorlixDesign";

const AcRxArxCommandEntry* commandTable(int& count);

}  // namespace vorlix
