#include "commands/fast_edit_plt_name.h"

#include "aced.h"
#include "commands/fast_edit_shared.h"
#include "dbents.h"
#include "frames/frame_attributes.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kTextPrompt = L"\n请选择图名(单行文字或多行文字)<退出>：";
constexpr const wchar_t* kFramePrompt = L"\n请选择图框<退出>：";
constexpr const wchar_t* kSeparator = L"、";

// Lets the user pick texts; false when the pick ends other than normally.
bool pickTexts(FrameList& texts) {
    resbuf* filter = acutBuildList(RTDXF0, L"MTEXT,TEXT,ATTDEF", 0);
    acutPrintf(L"%s", kTextPrompt);
    ads_name ss;
    const int status = acedSSGet(L"_", nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    if (status != RTNORM) return false;
    texts = selectionToFrameList(ss);
    acedSSFree(ss);
    return true;
}

}  // namespace

std::wstring composeName(const std::vector<std::wstring>& texts) {
    std::wstring name;
    for (const std::wstring& t : texts) name += kSeparator + t;
    const size_t sep = std::wstring(kSeparator).size();
    size_t start = 0;
    while (name.compare(start, sep, kSeparator) == 0) start += sep;
    return name.substr(start);
}

std::vector<std::wstring> pickedTexts(const FrameList& ids) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> ent(ids[i], AcDb::kForRead);
        if (ent.openStatus() != Acad::eOk) continue;
        if (auto* text = AcDbText::cast(ent.object())) texts.push_back(text->textString().str());
        else if (auto* mtext = AcDbMText::cast(ent.object())) texts.push_back(mtext->text().str());
    }
    return texts;
}

int writeNameToFrames(const FrameList& frames, const std::wstring& name) {
    const std::wstring line = singleLine(name);
    int written = 0;
    for (int i = 0; i < frames.length(); ++i)
        if (writeAttribute(frames[i], kNameTag, line)) ++written;
    return written;
}

std::wstring nameWrittenMessage(int framesWritten) {
    return framesWritten > 0 ? L"设置成功！" : L"所选图框中没有“图名”属性！";
}

void runFastEditPltName() {
    focusMainWindow();
    FrameList texts;
    if (!pickTexts(texts)) return;
    const std::wstring name = composeName(pickedTexts(texts));
    FrameList frames;
    if (!pickFrameReferences(kFramePrompt, frames)) return;
    showMessage(nameWrittenMessage(writeNameToFrames(frames, name)));
}

}  // namespace vorlix
