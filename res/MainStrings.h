// String identifiers of the main window (its own range, 200 and up).
#pragma once

#define IDS_BTN_HOMEPAGE      200
#define IDS_BTN_OVERVIEW      201
#define IDS_LABEL7            202
#define IDS_LABEL8            203
#define IDS_LABEL9            204
#define IDS_LABEL10           205
#define IDS_LBL_RECLEAN       206
#define IDS_BUTTON1           207
#define IDS_CHK_AUTOSHUTDOWN  208
#define IDS_LBL_SHORTCUT      210
#define IDS_LABEL_AUTOCLEAN   211
#define IDS_LABEL1            212
#define IDS_LABEL2            213
#define IDS_LABEL3            214
#define IDS_LBL_RESTORE       215
#define IDS_LBL_OPTION        216
#define IDS_BTN_DELETE        218
#define IDS_BTN_CLOSE         219
#define IDS_MI_FILE           220
#define IDS_MI_REGISTRY       221
#define IDS_FOLDER_ERROR      222
#define IDS_STATE_GOOD        223
#define IDS_STATE_BAD         224
