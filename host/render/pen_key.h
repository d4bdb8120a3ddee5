// A pen as an entity asks for it, before the block reference it is drawn through is known:
// ByBlock properties and the layer "0" inside blocks take the reference's.
#pragma once

#include "render/primitives.h"
#include "render/tables.h"

namespace vx::render {

enum class Source : uint8_t {
    Own,       // the value in the key
    ByBlock,   // the reference's value
    ByLayer0,  // the layer of the reference (a ByLayer entity on layer "0" inside a block)
};

struct PenKey {
    Color color = {255, 255, 255, 7};
    int16_t weight = 0;
    const Linetype* linetype = nullptr;  // Own: null is continuous
    Source colorFrom = Source::Own, weightFrom = Source::Own, linetypeFrom = Source::Own;
    bool layer0 = false;  // on layer "0" inside a block: shown when the reference's layer is
    double ltscale = 1;   // the entity's linetype scale times $LTSCALE

    bool operator==(const PenKey& o) const {
        return color == o.color && weight == o.weight && linetype == o.linetype && colorFrom == o.colorFrom &&
               weightFrom == o.weightFrom && linetypeFrom == o.linetypeFrom && layer0 == o.layer0 &&
               ltscale == o.ltscale;
    }
};

// What a reference passes to its block's contents.
struct RefContext {
    Color color = {255, 255, 255, 7};  // ByBlock at the top of a drawing is colour 7
    int16_t weight = 25;
    const Linetype* linetype = nullptr;
    const LayerInfo* layer = nullptr;  // the layer "0" contents take (null: layer "0" itself)
    bool layerShown = true;
};

struct ResolvedPen {
    Pen pen;
    const Linetype* linetype = nullptr;
    bool shown = true;
};

inline ResolvedPen resolvePen(const PenKey& k, const RefContext& ctx) {
    ResolvedPen r;
    const LayerInfo* layer = ctx.layer;
    auto pick = [](Source s, auto own, auto byBlock, auto byLayer) { return s == Source::Own ? own : s == Source::ByBlock ? byBlock : byLayer; };
    r.pen.color = pick(k.colorFrom, k.color, ctx.color, layer ? layer->color : k.color);
    r.pen.lineweight = pick(k.weightFrom, k.weight, ctx.weight, layer ? layer->lineweight : k.weight);
    r.linetype = pick(k.linetypeFrom, k.linetype, ctx.linetype, layer ? layer->linetype : k.linetype);
    r.shown = !k.layer0 || ctx.layerShown;
    return r;
}

}  // namespace vx::render
