// The maker of the scenes plots draw through.
#include "plot/plot_scene.h"

#include <mutex>

namespace vx::plot {

namespace {

std::mutex g_mutex;
SceneMaker g_maker;

}  // namespace

void setSceneMaker(SceneMaker maker) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_maker = std::move(maker);
}

std::unique_ptr<render::Scene> makePlotScene(AcDbDatabase& db) {
    SceneMaker maker;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        maker = g_maker;
    }
    // INTEGRATION: the renderer's render::makeScene(db) is the default once host/render's scene
    // (branch render-core) is on main; until then only a scene put in place here plots.
    return maker ? maker(db) : nullptr;
}

}  // namespace vx::plot
