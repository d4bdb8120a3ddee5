// The spatial index selection asks: one scene per drawing, kept in the drawing's store so that
// it is built once, follows the drawing's edits through the scene's own change counters, and is
// dropped with the drawing.
#include "render/space_query.h"

#include "db/store.h"
#include "render/scene_impl.h"

namespace vx::render {
namespace {

struct IndexAttachment final : vx::db::Attachment {
    explicit IndexAttachment(AcDbDatabase& db) : scene(db) {}
    SceneImpl scene;
};

}  // namespace

std::vector<uint32_t> spaceCandidates(AcDbObjectId space, const Box2& window) {
    const auto* block = AcDbBlockTableRecord::cast(space.object());
    AcDbDatabase* db = block ? block->database() : nullptr;
    if (!db) return {};
    std::unique_ptr<vx::db::Attachment>& slot = db->store().spatialIndex;
    if (!slot) slot = std::make_unique<IndexAttachment>(*db);
    return static_cast<IndexAttachment&>(*slot).scene.candidates(space, window);
}

}  // namespace vx::render
