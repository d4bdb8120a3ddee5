#include "app/palette_dialogs.h"

#include "afxwin.h"

namespace vorlix {
namespace {
// A function whose dialog has not arrived in this build says so instead of doing nothing.
void notYet() { AfxMessageBox(L"此功能尚未提供。", MB_OK); }
}  // namespace

void paletteBatchNumberDialog() { notYet(); }
void paletteFastEditNoDialog() { notYet(); }
void paletteAttributeSettingDialog() { notYet(); }
void paletteCatalogDialog() { notYet(); }
void paletteBatchPlotDialog() { notYet(); }

}  // namespace vorlix
