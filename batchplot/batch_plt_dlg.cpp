#include "batchplot/batch_plt_dlg.h"

#include "acdocman.h"
#include "aclayout.h"
#include "aced.h"
#include "batchplot/driver_files.h"
#include "batchplot/export_set_info_dlg.h"
#include "batchplot/folder_browser.h"
#include "commands/fast_edit_shared.h"
#include "dbapserv.h"
#include "resources/ids_batch_plt.h"
#include "settings/settings.h"
#include "shlobj.h"

namespace vorlix {
namespace {

constexpr const wchar_t* kPickPrompt = L"\n请选择需要打印的图框(注意：图框必须在C-TK图层上)<退出>：";

struct ColumnSpec {
    const wchar_t* header;
    int width;
};

const ColumnSpec kColumns[kPlotColumnCount] = {
    {L"选取", 50}, {L"序号", 50}, {L"图号", 80}, {L"图名", 150},
    {L"图纸尺寸", 80}, {L"文件名", 180}, {L"打印状态", 70}, {L"标识", 0},
};

struct ProgressText {
    AcPlPlotProgressDialog::PlotMSGIndex index;
    const wchar_t* text;
};

const ProgressText kProgressTexts[] = {
    {AcPlPlotProgressDialog::kDialogTitle, L"文件转换程序"},
    {AcPlPlotProgressDialog::kCancelJobBtnMsg, L"取消转换"},
    {AcPlPlotProgressDialog::kCancelSheetBtnMsg, L"取消页"},
    {AcPlPlotProgressDialog::kSheetSetProgressCaption, L"转换"},
    {AcPlPlotProgressDialog::kSheetProgressCaption, L"页"},
};

const int kFileDeviceControls[] = {IDC_BP_PATH_LABEL, IDC_BP_SAVE_PATH, IDC_BP_BROWSE};
const int kPrinterControls[] = {IDC_BP_PAPER_LABEL, IDC_BP_PAPER};

// The layout active now, copied; null when it cannot be read.
std::unique_ptr<AcDbPlotSettings> copyActiveLayout(AcDbObjectId& layoutId) {
    AcApLayoutManager* layouts = acdbHostApplicationServices()->layoutManager();
    if (!layouts) return nullptr;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> space(layouts->getActiveLayoutBTRId(), AcDb::kForRead);
        if (space.openStatus() != Acad::eOk) return nullptr;
        layoutId = space->getLayoutId();
    }
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    if (layout.openStatus() != Acad::eOk) return nullptr;
    auto copy = std::make_unique<AcDbPlotSettings>(layout->modelType());
    if (copy->copyFrom(layout.object()) != Acad::eOk) return nullptr;
    return copy;
}

std::wstring currentStyleSheet(const AcDbPlotSettings& settings) {
    AcString name;
    settings.getCurrentStyleSheet(name);
    return name.kACharPtr();
}

std::wstring currentDevice(const AcDbPlotSettings& settings) {
    AcString name;
    settings.getPlotCfgName(name);
    return name.kACharPtr();
}

}  // namespace

// The list control as the runs see the rows.
class CVxBatchPltDlg::ListRows : public PlotRowAccess {
public:
    explicit ListRows(CListCtrl& list) : m_list(list) {}
    int rowCount() const override { return m_list.GetItemCount(); }
    bool ticked(int row) const override { return m_list.GetCheck(row) != FALSE; }
    std::wstring text(int row, PlotColumn column) const override { return m_list.GetItemText(row, column).str(); }
    void setStatus(int row, const wchar_t* status) override { m_list.SetItemText(row, kStatusColumn, status); }

private:
    CListCtrl& m_list;
};

BEGIN_MESSAGE_MAP(CVxBatchPltDlg, CAcUiDialog)
    ON_CBN_SELCHANGE(IDC_BP_DEVICE, &CVxBatchPltDlg::OnDeviceChanged)
    ON_CBN_SELCHANGE(IDC_BP_STYLE, &CVxBatchPltDlg::OnStyleChanged)
    ON_BN_CLICKED(IDC_BP_BROWSE, &CVxBatchPltDlg::OnBrowse)
    ON_BN_CLICKED(IDC_BP_SELECT_ALL, &CVxBatchPltDlg::OnSelectAll)
    ON_BN_CLICKED(IDC_BP_PICK, &CVxBatchPltDlg::OnPickFrames)
    ON_BN_CLICKED(IDC_BP_ALL, &CVxBatchPltDlg::OnAllFrames)
    ON_BN_CLICKED(IDC_BP_PREVIEW, &CVxBatchPltDlg::OnPreview)
    ON_BN_CLICKED(IDC_BP_PLOT, &CVxBatchPltDlg::OnPlot)
    ON_BN_CLICKED(IDC_BP_SAVE_SETTINGS, &CVxBatchPltDlg::OnSaveSettings)
    ON_BN_CLICKED(IDC_BP_MORE, &CVxBatchPltDlg::OnMore)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CVxBatchPltDlg::OnAcadKeepFocus)
END_MESSAGE_MAP()

CVxBatchPltDlg::CVxBatchPltDlg(CWnd* pParent, HINSTANCE hInstance) : CAcUiDialog(IDD_BATCH_PLT, pParent, hInstance) {}

CVxBatchPltDlg::~CVxBatchPltDlg() {
    if (m_progress) m_progress->destroy();
}

void CVxBatchPltDlg::DoDataExchange(CDataExchange* pDX) {
    CAcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BP_DEVICE, m_deviceList);
    DDX_Control(pDX, IDC_BP_STYLE, m_styleList);
    DDX_Control(pDX, IDC_BP_PAPER, m_paperList);
    DDX_Control(pDX, IDC_BP_LIST, m_list);
    DDX_CBStringExact(pDX, IDC_BP_DEVICE, m_deviceName);
    DDX_CBStringExact(pDX, IDC_BP_STYLE, m_styleName);
    DDX_Text(pDX, IDC_BP_COPIES, m_copies);
    DDX_Text(pDX, IDC_BP_SAVE_PATH, m_savePath);
    DDX_CBStringExact(pDX, IDC_BP_PAPER, m_paperOverride);
    DDX_Check(pDX, IDC_BP_SELECT_ALL, m_selectAll);
}

BOOL CVxBatchPltDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_settings = copyActiveLayout(m_layoutId);
    CWnd* frame = acedGetAcadFrame();
    m_progress = acplCreatePlotProgressDialog(frame ? frame->GetSafeHwnd() : nullptr, false, 1, nullptr, true);
    if (m_progress) {
        for (const ProgressText& t : kProgressTexts) m_progress->setPlotMsgString(t.index, t.text);
        m_progress->setPlotProgressRange(0, 100);
    }

    for (const std::wstring& device : offeredDevices(hostDeviceList())) m_deviceList.AddString(device.c_str());
    for (const std::wstring& style : hostStyleSheetList()) m_styleList.AddString(style.c_str());
    if (m_settings) {
        changeDevice(currentDevice(*m_settings));
        setStyleSheet(currentStyleSheet(*m_settings));
    }
    const PlotChoices stored = readPlotChoices();
    m_savePath = stored.savePath.c_str();
    m_copies = stored.pltCount.c_str();
    m_styleName = stored.pltStyle.c_str();
    m_deviceName = stored.pltDriver.c_str();
    changeDevice(stored.pltDriver);
    setStyleSheet(stored.pltStyle);

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < kPlotColumnCount; ++c) m_list.InsertColumn(c, kColumns[c].header, LVCFMT_CENTER, kColumns[c].width);
    showDeviceControls();
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CVxBatchPltDlg::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

void CVxBatchPltDlg::changeDevice(const std::wstring& device) {
    if (!m_settings) return;
    vorlix::changeDevice(m_settings.get(), device, m_device);
    m_paperList.ResetContent();
    for (const auto& [display, canonical] : m_device.paperMap) m_paperList.AddString(display.c_str());
    showDeviceControls();
}

void CVxBatchPltDlg::setStyleSheet(const std::wstring& style) {
    if (m_settings) acdbHostApplicationServices()->plotSettingsValidator()->setCurrentStyleSheet(m_settings.get(), style.c_str());
}

void CVxBatchPltDlg::showDeviceControls() {
    for (int id : kFileDeviceControls)
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(m_device.plotToFile ? SW_SHOW : SW_HIDE);
    for (int id : kPrinterControls)
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(m_device.plotToFile ? SW_HIDE : SW_SHOW);
}

void CVxBatchPltDlg::OnDeviceChanged() {
    if (!UpdateData(TRUE)) return;
    changeDevice(m_deviceName.str());
}

void CVxBatchPltDlg::OnStyleChanged() {
    if (!UpdateData(TRUE)) return;
    setStyleSheet(m_styleName.str());
}

void CVxBatchPltDlg::OnBrowse() {
    std::wstring folder = m_savePath.str();
    if (!browseForFolder(this, L"请选择图纸保存文件夹", BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE, folder))
        return;
    m_savePath = folder.c_str();
    SetDlgItemText(IDC_BP_SAVE_PATH, m_savePath);
}

void CVxBatchPltDlg::OnSelectAll() {
    if (!UpdateData(TRUE)) return;
    for (int r = 0; r < m_list.GetItemCount(); ++r) m_list.SetCheck(r, m_selectAll != 0);
}

void CVxBatchPltDlg::fillRows() {
    std::vector<PlotRow> rows = plotRows(m_frames, settings().plotNameFormat());
    sortPlotRows(rows);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const PlotRow& row = rows[i];
        const int item = m_list.InsertItem(static_cast<int>(i), L"");
        const std::wstring texts[] = {std::to_wstring(i + 1), row.number, row.name, row.paperSize, row.fileName,
                                      kNotPlotted, std::to_wstring(row.position)};
        for (int c = kSerialColumn; c < kPlotColumnCount; ++c) m_list.SetItemText(item, c, texts[c - kSerialColumn].c_str());
        m_list.SetCheck(item, FALSE);
    }
}

void CVxBatchPltDlg::OnPickFrames() {
    BeginEditorCommand();
    {
        CAcModuleResourceOverride resources;
        FrameList picked;
        if (pickFrames(kPickPrompt, picked)) {
            m_frames = picked;
            fillRows();
        }
        CompleteEditorCommand();
    }
}

void CVxBatchPltDlg::OnAllFrames() {
    m_frames = allFrames();
    fillRows();
}

bool CVxBatchPltDlg::readyToRun(bool preview) {
    if (!UpdateData(TRUE)) return false;
    const std::wstring problem =
        runProblem(m_deviceName.str(), m_styleName.str(), m_savePath.str(), m_device.plotToFile, preview);
    if (!problem.empty()) {
        showMessage(problem);
        return false;
    }
    if (!m_settings || !m_progress) {
        showMessage(L"无法读取当前布局的打印设置，不能打印！");
        return false;
    }
    return true;
}

PlotRunSettings CVxBatchPltDlg::runSettings() const {
    PlotRunSettings run;
    run.job.settings = m_settings.get();
    run.job.layoutId = m_layoutId;
    run.job.progress = m_progress;
    run.job.plotToFile = m_device.plotToFile;
    run.frames = &m_frames;
    run.paperMap = &m_device.paperMap;
    run.extension = m_device.extension;
    run.outputFolder = m_savePath.str();
    run.paperOverride = m_paperOverride.str();
    return run;
}

void CVxBatchPltDlg::OnPreview() { runOnTickedRows(true, previewFirstTicked); }

void CVxBatchPltDlg::OnPlot() { runOnTickedRows(false, plotTicked); }

// The dialog steps aside while the drawing is locked and the rows are plotted or previewed.
void CVxBatchPltDlg::runOnTickedRows(bool preview, void (*run)(const PlotRunSettings&, PlotRowAccess&)) {
    if (!readyToRun(preview)) return;
    BeginEditorCommand();
    {
        AcAxDocLock lock;
        CAcModuleResourceOverride resources;
        ListRows rows(m_list);
        run(runSettings(), rows);
        CompleteEditorCommand();
    }
}

void CVxBatchPltDlg::OnSaveSettings() {
    if (!UpdateData(TRUE)) return;
    PlotChoices choices;
    choices.savePath = m_savePath.str();
    choices.pltCount = m_copies.str();
    choices.pltStyle = m_styleName.str();
    choices.pltDriver = m_deviceName.str();
    if (writePlotChoices(choices)) {
        showMessage(L"配置保存成功！");
        return;
    }
    CString message;
    message.Format(L"无法写入设置文件 %s！", settings().shownSettingsFilePath().c_str());
    showMessage(message.str());
}

void CVxBatchPltDlg::OnMore() {
    CAcModuleResourceOverride resources;
    CExportSetInfoDlg dlg(acedGetAcadFrame());
    if (dlg.DoModal() == IDOK) showMessage(L"导出文件夹中有“说明文档.doc”，请依照该文档设置打印驱动！");
}

void runBatchPltDialog() {
    plotInForeground();
    CAcModuleResourceOverride resources;
    CVxBatchPltDlg dlg(acedGetAcadFrame());
    dlg.DoModal();
}

}  // namespace vorlix
