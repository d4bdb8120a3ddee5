// AcCmColor and the names of error statuses.
#include "accmcolor.h"

Acad::ErrorStatus AcCmColor::setColorIndex(int16_t index) {
    if (index < 0 || index > 257) return Acad::eInvalidInput;
    m_index = index;
    m_method = index == 0 ? AcCmEntityColor::kByBlock
                          : (index == 256 ? AcCmEntityColor::kByLayer : AcCmEntityColor::kByACI);
    return Acad::eOk;
}

int16_t AcCmColor::colorIndex() const {
    switch (m_method) {
    case AcCmEntityColor::kByLayer: return 256;
    case AcCmEntityColor::kByBlock: return 0;
    case AcCmEntityColor::kByACI: return m_index;
    case AcCmEntityColor::kForeground: return 7;
    default: return m_index;
    }
}

Acad::ErrorStatus AcCmColor::setRGB(uint8_t r, uint8_t g, uint8_t b) {
    m_method = AcCmEntityColor::kByColor;
    m_rgb = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    return Acad::eOk;
}

bool AcCmColor::operator==(const AcCmColor& o) const {
    if (m_method != o.m_method) return false;
    if (m_method == AcCmEntityColor::kByColor) return m_rgb == o.m_rgb;
    if (m_method == AcCmEntityColor::kByACI) return m_index == o.m_index;
    return true;
}
