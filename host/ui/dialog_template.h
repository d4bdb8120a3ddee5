// Builds a dialog's windows from its template: dialog units become pixels by the template's
// font, as Windows converts them.
#pragma once

#include "ui/rc_model.h"
#include "ui/window.h"

namespace vx::ui {

// Pixels per dialog unit for a font size: (horizontal base, vertical base); x = dlu * bx / 4,
// y = dlu * by / 8.
void dialogBaseUnits(double fontPoints, int& bx, int& by);
Window* instantiateDialog(const rc::Dialog& t, Window* parent);

}  // namespace vx::ui
