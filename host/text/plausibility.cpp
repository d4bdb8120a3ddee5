// Character costs for choosing between a UTF-8 and an ANSI (GBK) reading. The two readings
// of ambiguous bytes differ in kind: GBK hanzi read as UTF-8 become accented letters, Greek,
// Cyrillic and combining marks with no Latin word around them; UTF-8 hanzi read as GBK become
// level-2 and extension hanzi, private-use and box-drawing characters. GB2312 level 1 (3,755
// hanzi) covers nearly all of ordinary text, so membership in it is the frequency measure,
// sharpened by a short list of the most common ones.
#include "text/plausibility.h"

#include <cstdint>
#include <string>
#include <vector>

#include "text/encoding.h"

namespace vx::text {
namespace {

enum Kind : uint8_t { kUnknown, kCommon, kLevel1, kLevel2, kPunctuation, kSymbol };

// Bits of surprise per kind; ASCII costs nothing because both readings share it.
constexpr int kCommonCost = 8;
constexpr int kLevel1Cost = 12;
constexpr int kLevel2Cost = 16;
constexpr int kPunctuationCost = 9;
constexpr int kSymbolCost = 14;
constexpr int kOtherHanziCost = 20;
constexpr int kForeignCost = 24;
constexpr int kNeverCost = 30;
constexpr int kLetterInWordCost = 6;  // "ü" in "Müller"
constexpr int kRareLetterInWordCost = 9;  // "ł" in "Wałbrzych"
constexpr int kStrayLetterCost = 18;  // a letter no Chinese text holds, in no word
constexpr int kEmojiCost = 18;
// How much better the UTF-8 reading has to be: the ANSI code page is the platform's rule.
constexpr int kUtf8Margin = 2;

// GB2312's full-width row holds ASCII look-alikes; only these are everyday Chinese writing.
constexpr std::wstring_view kCommonFullWidth = L"（）：，；！？．０１２３４５６７８９";

Kind rowKind(int lead, wchar_t c) {
    if (lead >= 0xB0) return lead <= 0xD7 ? kLevel1 : kLevel2;
    if (lead == 0xA1) return kPunctuation;
    if (lead == 0xA3 && kCommonFullWidth.find(c) != std::wstring_view::npos) return kPunctuation;
    return kSymbol;
}

// Kind of every BMP character GB2312 holds, found by decoding the GB2312 code table once.
std::vector<uint8_t> buildKinds() {
    std::vector<uint8_t> kinds(0x10000, kUnknown);
    const auto setKind = [&](wchar_t c, Kind k) {
        if (static_cast<uint32_t>(c) < kinds.size()) kinds[static_cast<size_t>(c)] = k;
    };
    for (int lead = 0xA1; lead <= 0xF7; ++lead) {
        std::string row;
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            row += static_cast<char>(lead);
            row += static_cast<char>(trail);
        }
        bool lossy = false;
        std::wstring chars = fromCodePage(row, "GB2312", &lossy);
        if (!lossy && chars.size() == row.size() / 2) {
            for (wchar_t c : chars) setKind(c, rowKind(lead, c));
            continue;
        }
        // Rows with unassigned cells: one cell at a time, so a gap cannot shift the others.
        for (size_t i = 0; i < row.size(); i += 2) {
            lossy = false;
            std::wstring one = fromCodePage(std::string_view(row).substr(i, 2), "GB2312", &lossy);
            if (!lossy && one.size() == 1) setKind(one[0], rowKind(lead, one[0]));
        }
    }
    for (wchar_t c : commonHanzi()) setKind(c, kCommon);
    return kinds;
}

Kind kindOf(char32_t c) {
    static const std::vector<uint8_t> kinds = buildKinds();
    return c < kinds.size() ? static_cast<Kind>(kinds[c]) : kUnknown;
}

bool isAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool isAsciiAlnum(wchar_t c) { return isAsciiLetter(c) || (c >= L'0' && c <= L'9'); }

// Letters of the alphabets that GBK bytes most often turn into when read as UTF-8.
bool isEuropeanLetter(char32_t c) {
    return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x4FF);
}

// Latin-1 signs that drawings write after or before numbers (30°, ±0.000, 12m², 5µm, 2×3).
bool isDrawingSign(char32_t c) {
    return c == 0xB0 || c == 0xB1 || c == 0xB2 || c == 0xB3 || c == 0xB5 || c == 0xD7;
}

int charCost(std::wstring_view t, size_t i) {
    const char32_t c = static_cast<char32_t>(t[i]);
    if (c < 0x80) return 0;
    const wchar_t before = i > 0 ? t[i - 1] : L'\0';
    const wchar_t after = i + 1 < t.size() ? t[i + 1] : L'\0';
    const Kind kind = kindOf(c);
    if (isEuropeanLetter(c)) {
        // Inside a Latin word an accented letter is ordinary ("Müller"); standing alone, next
        // to another such character, or as Greek or Cyrillic glued to Latin letters, it is the
        // typical trace of hanzi bytes read as UTF-8 ("暖通" as "ůͨ", "X伪猫" as "Xαè").
        const bool familiar = c <= 0xFF || kind != kUnknown;
        const bool inWord = (isAsciiLetter(before) && after < 0x80) || (isAsciiLetter(after) && before < 0x80);
        if (c <= 0x24F && inWord) return familiar ? kLetterInWordCost : kRareLetterInWordCost;
        return familiar ? kSymbolCost : kStrayLetterCost;
    }
    if ((c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7) {
        if (isDrawingSign(c) && (isAsciiAlnum(before) || isAsciiAlnum(after))) return kCommonCost;
        return kind != kUnknown ? kSymbolCost - 2 : kSymbolCost;  // GB2312 holds ° ± × ÷ § ¨ ¤
    }
    switch (kind) {
        case kCommon: return kCommonCost;
        case kLevel1: return kLevel1Cost;
        case kLevel2: return kLevel2Cost;
        case kPunctuation: return kPunctuationCost;
        case kSymbol: return kSymbolCost;
        case kUnknown: break;
    }
    if (c >= 0x4E00 && c <= 0x9FFF) return kOtherHanziCost;
    if ((c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF)) return kNeverCost;
    if (c >= 0x1F300 && c <= 0x1FAFF) return kEmojiCost;
    if (c > 0xFFFF) return kNeverCost;
    return kForeignCost;
}

}  // namespace

long long implausibility(std::wstring_view text) {
    long long cost = 0;
    for (size_t i = 0; i < text.size(); ++i) cost += charCost(text, i);
    return cost;
}

bool utf8ReadsBetter(std::wstring_view asUtf8, std::wstring_view asAnsi) {
    return implausibility(asUtf8) + kUtf8Margin < implausibility(asAnsi);
}

}  // namespace vx::text
