// AcCmColor: an entity or layer colour as an index (ACI), by layer / by block, or true colour.
#pragma once

#include <cstdint>

#include "acadstrc.h"

namespace AcCmEntityColor {
enum ColorMethod { kByLayer = 0xC0, kByBlock = 0xC1, kByColor = 0xC2, kByACI = 0xC3, kForeground = 0xC5, kNone = 0xC8 };
}

class AcCmColor {
public:
    AcCmColor() = default;
    AcCmEntityColor::ColorMethod colorMethod() const { return m_method; }
    Acad::ErrorStatus setColorMethod(AcCmEntityColor::ColorMethod m) { m_method = m; return Acad::eOk; }
    // 0 = by block, 256 = by layer, 1..255 an index; other values are refused.
    Acad::ErrorStatus setColorIndex(int16_t index);
    int16_t colorIndex() const;
    Acad::ErrorStatus setRGB(uint8_t r, uint8_t g, uint8_t b);
    uint8_t red() const { return static_cast<uint8_t>(m_rgb >> 16); }
    uint8_t green() const { return static_cast<uint8_t>(m_rgb >> 8); }
    uint8_t blue() const { return static_cast<uint8_t>(m_rgb); }
    uint32_t rgb() const { return m_rgb; }
    bool isByLayer() const { return m_method == AcCmEntityColor::kByLayer; }
    bool isByBlock() const { return m_method == AcCmEntityColor::kByBlock; }
    bool isByACI() const { return m_method == AcCmEntityColor::kByACI; }
    bool isByColor() const { return m_method == AcCmEntityColor::kByColor; }
    bool operator==(const AcCmColor& o) const;
    bool operator!=(const AcCmColor& o) const { return !(*this == o); }

private:
    AcCmEntityColor::ColorMethod m_method = AcCmEntityColor::kByLayer;
    int16_t m_index = 256;
    uint32_t m_rgb = 0;
};
