// Ids of the dialog that sets height, width factor and line breaks of frame attributes.
#ifndef VX_IDS_SHEET_ATTR_INFO_SET_H
#define VX_IDS_SHEET_ATTR_INFO_SET_H

#define IDD_SHEET_ATTR_INFO_SET 196
#define IDC_SAIS_LIST 129
#define IDC_SAIS_HEIGHT 177
#define IDC_SAIS_PICK 359
#define IDC_SAIS_ALL 360
#define IDC_SAIS_WIDTH_FACTOR 361
#define IDC_SAIS_CLOSE 362
#define IDC_SAIS_SELECT_ALL 363
#define IDC_SAIS_LINE_LENGTH 364
#define IDC_SAIS_BREAK 365

#endif
