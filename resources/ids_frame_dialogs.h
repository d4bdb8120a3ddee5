// Ids of the system settings, tool palette, frame chooser and title-block content dialogs.
#pragma once

// System settings.
#define IDD_SYS_SET                 105
#define IDC_SYS_SET_ROOT_PATH       103
#define IDC_SYS_SET_ROOT_BROWSE     106
#define IDC_SYS_SET_USER_NAME       109
#define IDC_SYS_SET_SPECIALITY      111
#define IDC_SYS_SET_DEPART_CODE     115
#define IDC_SYS_SET_ZONE            119
#define IDC_SYS_SET_TEMPLATE_PATH   126
#define IDC_SYS_SET_TEMPLATE_BROWSE 133
#define IDC_SYS_SET_OK              191

// The tool palette's child dialog and its buttons.
#define IDD_VORLIX_PALETTE          107
#define IDC_PAL_INSERT_SHEET        101
#define IDC_PAL_SHEET_INFO          102
#define IDC_PAL_FAST_EDIT_NAME      104
#define IDC_PAL_BATCH_NUMBER        108
#define IDC_PAL_FAST_EDIT_NO        110
#define IDC_PAL_CATALOG             114
#define IDC_PAL_BATCH_PLOT          118
#define IDC_PAL_BATCH_LAYOUT        123
#define IDC_PAL_ATTR_SETTING        124
#define IDC_PAL_SYS_SET             134

// The frame chooser.
#define IDD_SELECT_SHEET            112
#define IDC_SELECT_SHEET_LIST       120
#define IDC_SELECT_SHEET_OK         137

// Title-block content entry.
#define IDD_SHEET_INFO              116
#define IDC_SHEET_INFO_GRID         155
#define IDC_SHEET_INFO_FILL_ALL     157
#define IDC_SHEET_INFO_FILL_PICKED  159
#define IDC_SHEET_INFO_SAVE         3
#define IDC_SHEET_INFO_IMPORT       4
#define IDB_SHEET_INFO_ICONS        136
