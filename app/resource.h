// Resource ids of the front end.
#pragma once

#define IDS_OLE_INIT_FAILED 100
#define IDD_BRIGHTNESS_DIALOG 102
#define IDI_APP_ICON 128
#define IDC_LEVEL_SLIDER 1004
#define IDC_STATIC (-1)
