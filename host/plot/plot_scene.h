// The scene the plot engine draws a drawing through: the renderer's, unless a test put one of
// its own in place.
#pragma once

#include <functional>
#include <memory>

#include "render/scene.h"

namespace vx::plot {

using SceneMaker = std::function<std::unique_ptr<render::Scene>(AcDbDatabase&)>;

// An empty maker puts the renderer's back.
void setSceneMaker(SceneMaker maker);
std::unique_ptr<render::Scene> makePlotScene(AcDbDatabase& db);

}  // namespace vx::plot
