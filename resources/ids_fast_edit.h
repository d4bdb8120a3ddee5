// Ids of the quick-edit dialog of drawing numbers and names.
#ifndef VX_IDS_FAST_EDIT_H
#define VX_IDS_FAST_EDIT_H

#define IDD_FAST_EDIT_PLT_NO 121
#define IDC_FEPN_ALL 135
#define IDC_FEPN_PICK 137
#define IDC_FEPN_GRID 161
#define IDC_FEPN_UPDATE 163

#endif
