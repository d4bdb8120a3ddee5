// Ids of the drawing catalogue dialog.
#ifndef VX_IDS_PLT_CATALOG_H
#define VX_IDS_PLT_CATALOG_H

#define IDD_PLT_CATALOG 125
#define IDC_PCL_LIST 138
#define IDC_PCL_INSERT 166
#define IDC_PCL_ALL 167
#define IDC_PCL_PICK 169
#define IDC_PCL_MAX_ROWS 179
#define IDC_PCL_UP 355
#define IDC_PCL_DOWN 356
#define IDC_PCL_SELECT_ALL 358

#endif
