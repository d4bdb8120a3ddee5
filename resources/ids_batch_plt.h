// Ids of the batch plot dialog and of the driver export dialog it opens.
#ifndef VX_IDS_BATCH_PLT_H
#define VX_IDS_BATCH_PLT_H

#define IDD_BATCH_PLT 130
#define IDC_BP_DEVICE 140
#define IDC_BP_STYLE 142
#define IDC_BP_COPIES 144
#define IDC_BP_SAVE_PATH 148
#define IDC_BP_BROWSE 149
#define IDC_BP_LIST 152
#define IDC_BP_PICK 153
#define IDC_BP_ALL 154
#define IDC_BP_PREVIEW 156
#define IDC_BP_PLOT 158
#define IDC_BP_SAVE_SETTINGS 160
#define IDC_BP_CANCEL 162
#define IDC_BP_MORE 165
#define IDC_BP_SELECT_ALL 192
#define IDC_BP_PAPER_LABEL 193
#define IDC_BP_PAPER 194
#define IDC_BP_PATH_LABEL 195

#define IDD_EXPORT_SET_INFO 147
#define IDC_ESI_FOLDER 181
#define IDC_ESI_DWF 184
#define IDC_ESI_PDF 185
#define IDC_ESI_PLT 186
#define IDC_ESI_BROWSE 187
#define IDC_ESI_EXPORT 188

#endif
