#include "app/command_table.h"

#include "aced.h"
#include "app/commands.h"

namespace vorlix {

const AcRxArxCommandEntry* commandTable(int& count) {
    static const AcRxArxCommandEntry kTable[] = {
        {kCommandGroup, L"Test", L"test", ACRX_CMD_TRANSPARENT, cmdTest, nullptr},
        {kCommandGroup, L"VxInsertSheet", L"VXIS", ACRX_CMD_TRANSPARENT, cmdInsertSheet, nullptr},
        {kCommandGroup, L"VxSheetInfo", L"VXSI", ACRX_CMD_TRANSPARENT, cmdSheetInfo, nullptr},
        {kCommandGroup, L"VxFastEditPltNo", L"VXFEPN", ACRX_CMD_TRANSPARENT, cmdFastEditPltNo, nullptr},
        {kCommandGroup, L"VxFastEditPltName", L"VXFENAME", ACRX_CMD_TRANSPARENT, cmdFastEditPltName, nullptr},
        {kCommandGroup, L"VxPltCatalog", L"VXPCL", ACRX_CMD_TRANSPARENT, cmdPltCatalog, nullptr},
        {kCommandGroup, L"VxBatchPlt", L"VXBP", ACRX_CMD_TRANSPARENT, cmdBatchPlt, nullptr},
        {kCommandGroup, L"VxSysemSet", L"VXSET", ACRX_CMD_TRANSPARENT, cmdSysemSet, nullptr},
        {kCommandGroup, L"VxBatchPltNum", L"VXBPN", ACRX_CMD_TRANSPARENT, cmdBatchPltNum, nullptr},
        {kCommandGroup, L"VxBatchLayout", L"VXBLY", ACRX_CMD_TRANSPARENT, cmdBatchLayout, nullptr},
        {kCommandGroup, L"VxHide", L"PXY", ACRX_CMD_TRANSPARENT, cmdHide, nullptr},
        {kCommandGroup, L"VxShow", L"PXK", ACRX_CMD_TRANSPARENT, cmdShow, nullptr},
    };
    count = static_cast<int>(sizeof(kTable) / sizeof(kTable[0]));
    return kTable;
}

}  // namespace vorlix
