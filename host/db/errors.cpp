// Readable names of Acad::ErrorStatus values, made from the list that makes the enum.
#include "acadstrc.h"

#include <cstddef>
#include <iterator>

const wchar_t* acadErrorStatusText(Acad::ErrorStatus es) {
    static const wchar_t* const kNames[] = {
#define VX_ACAD_STATUS_NAME(name) L## #name,
        VX_ACAD_ERROR_STATUSES(VX_ACAD_STATUS_NAME)
#undef VX_ACAD_STATUS_NAME
    };
    // A value outside the list can only come from a cast.
    const auto i = static_cast<size_t>(es);
    return i < std::size(kNames) ? kNames[i] : L"eUnknownStatus";
}
