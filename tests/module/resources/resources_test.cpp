// The module's embedded resource script parses as a whole and holds what the module opens.
#include <gtest/gtest.h>

#include "afxwin.h"
#include "ui/resource_registry.h"
#include "vxresource.h"

namespace {

TEST(ModuleResources, TheEmbeddedScriptParsesAndHoldsThePaletteDialog) {
    std::string error;
    HINSTANCE self = vxThisModuleHandle();
    ASSERT_TRUE(vx::ui::registerEmbeddedTable(self, vx_embedded_resources, error)) << error;
    const vx::ui::rc::Script* s = vx::ui::resourcesOf(self);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(std::string(vx_embedded_resources[0].name), "VorlixDesign.rc");
    // Every dialog has a numeric id (the module opens them by number) and a unique one.
    for (const auto& d : s->dialogs) EXPECT_GE(d.id, 0) << d.file << ":" << d.line;
    if (const vx::ui::rc::Dialog* palette = s->dialog(107)) {
        EXPECT_EQ(palette->style & WS_CHILD, WS_CHILD);
        EXPECT_TRUE(palette->caption.empty());
    }
    for (const auto& b : s->bitmaps) EXPECT_EQ(b.bytes.substr(0, 2), "BM") << b.path;
    vx::ui::unregisterResources(self);
}

}  // namespace
