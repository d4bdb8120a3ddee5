#include "commands/sheet_attr_info_set.h"

#include <memory>

#include "afx.h"
#include "commands/fast_edit_shared.h"
#include "dbents.h"

namespace vorlix {

std::wstring breakText(const std::wstring& text, int lineLength) {
    std::wstring plain;
    const std::wstring mark = kParagraphMark;
    for (size_t k = 0; k < text.size();) {
        if (text.compare(k, mark.size(), mark) == 0) {
            k += mark.size();
        } else {
            plain += text[k++];
        }
    }
    if (lineLength <= 0 || plain.size() < static_cast<size_t>(lineLength)) return plain;
    const size_t n = static_cast<size_t>(lineLength);
    std::wstring out;
    out.reserve(plain.size() + (plain.size() / n) * mark.size());
    for (size_t k = 0; k < plain.size(); ++k) {
        out += plain[k];
        if ((k + 1) % n == 0) out += mark;
    }
    return out;
}

int applyAttributeLook(const FrameList& frames, const std::set<std::wstring>& tags, const AttributeLook& look) {
    int count = 0;
    for (int i = 0; i < frames.length(); ++i) {
        AcDbObjectPointer<AcDbBlockReference> ref(frames[i], AcDb::kForRead);
        if (ref.openStatus() != Acad::eOk) continue;
        ++count;
        std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
        if (!it) continue;
        for (it->start(); !it->done(); it->step()) {
            AcDbAttribute* att = nullptr;
            if (ref->openAttribute(att, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
            if (tags.count(att->tag().str())) {
                att->setHeight(look.height);
                att->setWidthFactor(look.widthFactor);
                if (look.breakLines) att->setTextString(breakText(att->textString().str(), look.lineLength).c_str());
            }
            att->close();
        }
    }
    return count;
}

std::vector<std::wstring> attributeTagRows(const TitleBlockItems& items) {
    std::vector<std::wstring> rows;
    for (const auto& item : items) rows.push_back(item.second);
    rows.push_back(kNameTag);
    rows.push_back(kNumberTag);
    return rows;
}

std::wstring lookAppliedMessage(int frames) {
    CString text;
    text.Format(L"共设置成功%d个图框！", frames);
    return text.str();
}

}  // namespace vorlix
