#include "commands/insert_sheet.h"

#include <memory>
#include <string>

#include "acdocman.h"
#include "aced.h"
#include "afx.h"
#include "commands/select_sheet_dlg.h"
#include "commands/vorlix_jig.h"
#include "frames/drawing_utils.h"
#include "frames/take_block_refs.h"
#include "settings/settings_record.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kNoTemplateFolder = L"请现在系统设置中设置图框模板所在路径！";
constexpr const wchar_t* kFrameNotInTemplate = L"在图框模板中未发现该尺寸图框！";

// The host's reason for the last failed drawing read, for the command line.
void printReadReason(const wchar_t* reason) {
    if (reason && *reason) acutPrintf(L"\n%s", reason);
}

// An empty frame-size list would show an empty chooser: say what is wrong instead, the template
// drawing first, as VXIS does.
void reportNoFrameSizes(const SettingsRecord& record) {
    {
        AcDbDatabase side(false, true);
        if (side.readDwgFile(record.templateDrawingPath().c_str(), _SH_DENYWR) != Acad::eOk) {
            acutPrintf(L"\n读取图框模板失败！");
            printReadReason(side.lastReadMessage());
            return;
        }
    }
    CString text;
    text.Format(record.templateDescriptionUnreadable() ? kUnreadableDescription : L"图框配置文件 %s 中没有图框尺寸！",
                record.shownTemplateDescriptionPath());
    AfxMessageBox(text.GetString(), MB_OK);
}

// The chooser with the given names; the chosen one, or empty when cancelled.
std::wstring choose(std::vector<std::wstring> names) {
    CSelectSheetDlg dialog(acedGetAcadFrame());
    dialog.setNames(std::move(names));
    if (dialog.DoModal() != IDOK) return L"";
    return dialog.chosenName();
}

}  // namespace

void runInsertSheetCommand() {
    const SettingsRecord& record = settings();
    if (record.templateDrawingPath().empty()) {
        AfxMessageBox(kNoTemplateFolder, MB_OK);
        return;
    }
    const AcDbObjectId frameLayer = ensureLayer(kFrameLayer, kFrameLayerColor);
    CAcModuleResourceOverride resources;

    std::vector<std::wstring> names;
    {
        AcDbDatabase side(false, true);
        if (side.readDwgFile(record.templateDrawingPath().c_str(), _SH_DENYWR) != Acad::eOk) {
            acutPrintf(L"\n读取图框模板失败！");
            printReadReason(side.lastReadMessage());
            return;
        }
        std::vector<std::wstring> unlisted;
        names = blockNames(&side, &unlisted);
        for (const std::wstring& name : unlisted)
            acutPrintf(L"\n图框模板中的图块“%s”名称含有非法字符“*”，未列出。", name.c_str());
    }
    const std::wstring chosen = choose(std::move(names));
    if (chosen.empty()) return;
    // Nothing is inserted when the block is never inserted in the template drawing.
    AcDbDatabase* taken = takeBlockReferences(record.templateDrawingPath().c_str(), chosen.c_str());
    if (!taken) return;
    placeTakenReferences(taken, frameLayer);
}

void insertSheetFromPalette() {
    const SettingsRecord& record = settings();
    if (record.templateDrawingPath().empty()) {
        AfxMessageBox(kNoTemplateFolder, MB_OK);
        return;
    }
    if (record.organisationCode().empty()) {
        AfxMessageBox(L"请先设置单位代码！", MB_OK);
        acedPostCommand(L"VXSET\n");
        return;
    }
    AcAxDocLock lock;
    const AcDbObjectId frameLayer = ensureLayer(kFrameLayer, kFrameLayerColor);
    CAcModuleResourceOverride resources;
    if (record.frameSizes().empty()) {
        reportNoFrameSizes(record);
        return;
    }
    const std::wstring chosen = choose(record.frameSizes());
    if (chosen.empty()) return;
    const std::wstring blockName = record.organisationCode() + L"-" + chosen;
    AcDbDatabase* taken = takeBlockReferences(record.templateDrawingPath().c_str(), blockName.c_str());
    if (!taken) {
        printReadReason(vx::db::lastReadMessage());
        AfxMessageBox(kFrameNotInTemplate, MB_OK);
        return;
    }
    placeTakenReferences(taken, frameLayer);
}

}  // namespace vorlix
