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

SceneImpl& drawingScene(AcDbDatabase& db) {
    std::unique_ptr<vx::db::Attachment>& slot = db.store().spatialIndex;
    if (!slot) slot = std::make_unique<IndexAttachment>(db);
    return static_cast<IndexAttachment&>(*slot).scene;
}

class SharedScene final : public Scene {
public:
    explicit SharedScene(AcDbDatabase& db) : m_db(db) {}
    void draw(AcDbObjectId space, const Box2& window, const DrawOptions& options, PrimitiveSink& sink,
              DrawStats& stats) override {
        drawingScene(m_db).draw(space, window, options, sink, stats);
    }
    std::unique_ptr<DrawJob> startDraw(AcDbObjectId space, const Box2& window, const DrawOptions& options,
                                       PrimitiveSink& sink, DrawStats& stats) override {
        return drawingScene(m_db).startDraw(space, window, options, sink, stats);
    }
    Box2 extents(AcDbObjectId space) override { return drawingScene(m_db).extents(space); }
    Box2 entityExtents(AcDbObjectId entity) override { return drawingScene(m_db).entityExtents(entity); }
    void drawEntities(const std::vector<const AcDbEntity*>& entities, const DrawOptions& options,
                      PrimitiveSink& sink, DrawStats& stats) override {
        drawingScene(m_db).drawEntities(entities, options, sink, stats);
    }

private:
    AcDbDatabase& m_db;
};

}  // namespace

std::vector<uint32_t> spaceCandidates(AcDbObjectId space, const Box2& window) {
    const auto* block = AcDbBlockTableRecord::cast(space.object());
    AcDbDatabase* db = block ? block->database() : nullptr;
    if (!db) return {};
    return drawingScene(*db).candidates(space, window);
}

std::unique_ptr<Scene> makeSharedScene(AcDbDatabase& db) { return std::make_unique<SharedScene>(db); }

bool prepareSpaceIndex(AcDbObjectId space, const std::function<bool(uint64_t, uint64_t)>& progress) {
    const auto* block = AcDbBlockTableRecord::cast(space.object());
    AcDbDatabase* db = block ? block->database() : nullptr;
    if (!db) return true;
    return drawingScene(*db).prepare(space, progress);
}

}  // namespace vx::render
