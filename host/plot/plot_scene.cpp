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
    return maker ? maker(db) : render::makeScene(db);
}

}  // namespace vx::plot
