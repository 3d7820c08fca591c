// Kesu's own resource, control, timer and message identifiers (the framework's are in afx/AfxRes.h).
#ifndef KESU_RESOURCE_H
#define KESU_RESOURCE_H

// Menu, accelerators, main icon, template string and toolbar of the main frame.
#define IDR_MAINFRAME 128

#define IDD_ABOUTBOX 100
#define IDD_ADAPTER 145

#define IDC_ABOUT_PICTURE 1001
#define IDC_ADAPTER_LIST 1003

#define IDB_ABOUT 131

// The image lists' markers, in list order after the main icon.
#define IDI_BLANK 141
#define IDI_HEARD 140
#define IDI_ENCRYPTED 134
#define IDI_ANNOTATED 144
#define IDI_TRACKED 149
#define IDI_NETWORK_CARD 148

#define ID_VIEW_METER 32771
#define ID_VIEW_NOTES 32772
// File menu: the list as CSV for a spreadsheet.
#define ID_FILE_EXPORT 32790
#define ID_VIEW_CHANNELS 32780

// Status bar panes 1 to 3.
#define ID_PANE_SCAN 132
#define ID_PANE_ADDRESS 133
#define ID_PANE_HEARD 136

#define IDC_METER_BAR 137
#define IDC_NOTES_BAR 138
#define IDC_CHANNEL_BAR 139
#define IDC_NOTE_EDIT 143
#define IDC_CHANNEL_MAP 147

#define ID_TIMER_REFRESH 130
#define ID_TIMER_BEEP 142

// Private messages: list view -> frame, note editor -> frame.
#define WM_SELECT_ENTRY (WM_USER + 1)
#define WM_NOTE_CHANGED (WM_USER + 2)

#endif
