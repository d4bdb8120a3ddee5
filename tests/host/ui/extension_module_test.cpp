// A module's attach registers the resource script embedded in its binary under its instance;
// its detach removes it again.
#include <dlfcn.h>

#include "ui/resource_registry.h"
#include "ui_fixture.h"

namespace vx::ui::test {
namespace {

using ExtensionModuleTest = UiTest;

TEST_F(ExtensionModuleTest, AttachRegistersTheModulesEmbeddedScriptAndDetachDropsIt) {
    void* module = dlopen(VX_UI_DEMO_MODULE, RTLD_LAZY | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    void* inside = dlsym(module, "acrxEntryPoint");
    ASSERT_NE(inside, nullptr);
    const rc::Script* s = resourcesOf(inside);
    ASSERT_NE(s, nullptr) << "any address inside the module names its instance";
    ASSERT_NE(s->dialog(300), nullptr);
    EXPECT_EQ(s->dialog(300)->caption, L"演示对话框");
    EXPECT_NE(s->dialog(310), nullptr);
    EXPECT_EQ(resourcesOf(instance()), nullptr) << "the test binary's own instance has none";
    EXPECT_EQ(s->dialog(300)->controls.at(4).className, L"SysListView32");
    HINSTANCE base = normaliseInstance(inside);
    ASSERT_EQ(dlclose(module), 0);
    EXPECT_EQ(resourcesOf(base), nullptr) << "the detach unregistered the module's resources";
}

}  // namespace
}  // namespace vx::ui::test
