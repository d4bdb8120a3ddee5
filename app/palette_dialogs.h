// The dialogs the palette opens under its document lock, one function each. This is the one
// place where the palette meets the dialogs of the other commands.
#pragma once

namespace vorlix {

void paletteBatchNumberDialog();
void paletteFastEditNoDialog();
void paletteAttributeSettingDialog();
void paletteCatalogDialog();
void paletteBatchPlotDialog();

}  // namespace vorlix
