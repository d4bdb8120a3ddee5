// Who makes the host's plot progress dialogs: the console's progress lines by default; a host
// with windows registers a factory of its own (which may build on the console's dialog for the
// state and the transcript lines).
#pragma once

#include <functional>

#include "acplplotprogress.h"

namespace vx::plot {

// The console's dialog: progress lines on the command line; freed by destroy().
AcPlPlotProgressDialog* makeConsoleProgressDialog(bool preview, int sheets);

using ProgressDialogFactory =
    std::function<AcPlPlotProgressDialog*(bool preview, int sheets, bool showCancelSheetButton)>;
// What acplCreatePlotProgressDialog makes from now on; an empty factory: the console's.
void setProgressDialogFactory(ProgressDialogFactory factory);

}  // namespace vx::plot
