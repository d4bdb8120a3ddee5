#include "commands/sheet_info.h"

#include <memory>

#include "acdocman.h"
#include "aced.h"
#include "commands/sheet_info_dlg.h"

namespace vorlix {
namespace {

int writeContentsInto(AcDbObjectId id, const AttributeMap& contents, bool echo) {
    AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
    if (reference.openStatus() != Acad::eOk) return 0;
    int written = 0;
    std::unique_ptr<AcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        AcDbAttribute* attribute = nullptr;
        if (reference->openAttribute(attribute, it->objectId(), AcDb::kForWrite) != Acad::eOk) continue;
        const AcString tag = attribute->tag();
        auto found = contents.find(tag.str());
        if (found != contents.end() && attribute->setTextString(found->second.c_str()) == Acad::eOk) {
            ++written;
            if (echo) acutPrintf(L"\n%s", tag.kwszPtr());
        }
        attribute->close();
    }
    return written;
}

// The dialog, then the frames its fill mode names, then the writing. `echo` is the command's.
void runSheetInfo(bool echo) {
    CAcModuleResourceOverride resources;
    CVxSheetInfoDlg dialog(acedGetAcadFrame());
    if (dialog.DoModal() != IDOK) return;
    FrameList frames;
    if (dialog.fillMode() == FillMode::AllFrames) {
        frames = allFrames();
    } else if (!pickFrames(L"\n请选择需要写入信息的图框(注意：图框必须在C-TK图层上)<退出>：", frames)) {
        return;
    }
    const AttributeMap contents = dialog.contents();
    writeContents(frames, contents, echo);
}

}  // namespace

int writeContents(const FrameList& frames, const AttributeMap& contents, bool echo) {
    int written = 0;
    for (int i = 0; i < frames.length(); ++i) written += writeContentsInto(frames[i], contents, echo);
    return written;
}

void runSheetInfoCommand() { runSheetInfo(true); }

void sheetInfoFromPalette() {
    AcAxDocLock lock;
    runSheetInfo(false);
}

}  // namespace vorlix
