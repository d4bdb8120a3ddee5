// "批量打印": device, style table and output folder or paper size; the frames of the drawing as
// rows; the preview of the first ticked frame and the plot of every ticked one.
#pragma once

#include <memory>

#include "acui.h"
#include "batchplot/plot_devices.h"
#include "batchplot/plot_rows.h"
#include "batchplot/plot_runs.h"

namespace vorlix {

class CVxBatchPltDlg : public CAcUiDialog {
public:
    explicit CVxBatchPltDlg(CWnd* pParent = nullptr, HINSTANCE hInstance = nullptr);
    ~CVxBatchPltDlg() override;
    CVxBatchPltDlg(const CVxBatchPltDlg&) = delete;
    CVxBatchPltDlg& operator=(const CVxBatchPltDlg&) = delete;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDeviceChanged();
    afx_msg void OnStyleChanged();
    afx_msg void OnBrowse();
    afx_msg void OnSelectAll();
    afx_msg void OnPickFrames();
    afx_msg void OnAllFrames();
    afx_msg void OnPreview();
    afx_msg void OnPlot();
    afx_msg void OnSaveSettings();
    afx_msg void OnMore();
    afx_msg LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    class ListRows;

    void changeDevice(const std::wstring& device);
    void setStyleSheet(const std::wstring& style);
    void showDeviceControls();
    void fillRows();
    // The checks of both runs; false (after the message) when the run may not begin.
    bool readyToRun(bool preview);
    void runOnTickedRows(bool preview, void (*run)(const PlotRunSettings&, PlotRowAccess&));
    PlotRunSettings runSettings() const;

    std::unique_ptr<AcDbPlotSettings> m_settings;  // the active layout's settings, copied at opening
    AcDbObjectId m_layoutId;
    AcPlPlotProgressDialog* m_progress = nullptr;
    DeviceState m_device;
    FrameList m_frames;

    CString m_deviceName;
    CString m_styleName;
    CString m_copies = L"1";
    CString m_savePath;
    CString m_paperOverride;
    int m_selectAll = 0;
    CComboBox m_deviceList;
    CComboBox m_styleList;
    CComboBox m_paperList;
    CListCtrl m_list;
};

// The body of VXBP and of the palette's "批量打印" (which holds its document lock around it):
// background plotting off, then the dialog, modal over the host's main window with the module's
// resources.
void runBatchPltDialog();

}  // namespace vorlix
