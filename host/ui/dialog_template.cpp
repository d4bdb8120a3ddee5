#include "ui/dialog_template.h"

#include <cmath>

#include "afxwin.h"

namespace vx::ui {

void dialogBaseUnits(double fontPoints, int& bx, int& by) {
    double pts = fontPoints > 0 ? fontPoints : 8;
    by = static_cast<int>(std::lround(pts * 96.0 / 72.0 * 1.2));
    bx = static_cast<int>(std::lround(by / 2.1));
}

Window* instantiateDialog(const rc::Dialog& t, Window* parent) {
    int bx = 6, by = 13;
    dialogBaseUnits(t.fontPoints, bx, by);
    auto px = [bx](int d) { return static_cast<LONG>(d * bx / 4); };
    auto py = [by](int d) { return static_cast<LONG>(d * by / 8); };
    RECT r{px(t.x), py(t.y), px(t.x + t.cx), py(t.y + t.cy)};
    Window* dlg = createWindow(Kind::Dialog, parent, t.id, t.caption, t.style, r);
    dlg->exStyle = t.exStyle;
    dlg->templateId = t.id;
    dlg->fontPoints = t.fontPoints;
    dlg->fontFace = t.fontFace;
    dlg->fontWeight = t.fontWeight;
    dlg->visible = false;  // shown once initialised
    for (const rc::Control& c : t.controls) {
        RECT cr{px(c.x), py(c.y), px(c.x + c.cx), py(c.y + c.cy)};
        Window* w = createWindow(kindForClass(c.className, c.style), dlg, c.id, c.text, c.style, cr);
        w->className = c.className;
        w->exStyle = c.exStyle;
        if (w->kind == Kind::Button && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && !dlg->defaultId)
            dlg->defaultId = c.id;
        if (!dlg->focusId && (c.style & WS_TABSTOP) && w->visible && w->enabled) dlg->focusId = c.id;
    }
    if (!dlg->defaultId && dlg->child(IDOK)) dlg->defaultId = IDOK;
    return dlg;
}

}  // namespace vx::ui
