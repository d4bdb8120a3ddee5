// Ids of the batch layout dialog.
#ifndef VX_IDS_BATCH_LAYOUT_H
#define VX_IDS_BATCH_LAYOUT_H

#define IDD_BATCH_LAYOUT 141
#define IDC_BLY_LIST 132
#define IDC_BLY_PICK 174
#define IDC_BLY_GENERATE 189

#endif
