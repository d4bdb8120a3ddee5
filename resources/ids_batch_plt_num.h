// Ids of the batch drawing-number dialog.
#ifndef VX_IDS_BATCH_PLT_NUM_H
#define VX_IDS_BATCH_PLT_NUM_H

#define IDD_BATCH_PLT_NUM 139
#define IDC_BPN_LIST 131
#define IDC_BPN_FIXED 168
#define IDC_BPN_STEP 170
#define IDC_BPN_PICK 171
#define IDC_BPN_ALL 172
#define IDC_BPN_UPDATE 173
#define IDC_BPN_START 178
#define IDC_BPN_SELECT_ALL 357

#endif
