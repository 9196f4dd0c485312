// Resource identifiers shared by the program, its .rc file and the tests.
#pragma once

// Start-up
#define IDS_CAPTION           100
#define IDS_MSG_UNKNOWN_OS    101
#define IDS_MSG_OLD_OS        102
#define IDS_MSG_NOT_ADMIN     103
#define IDS_APP_TITLE_PREFIX  104
#define IDS_PRODUCT_URL       105
#define IDS_FAMILY_URL        106
#define IDS_FONT_YAHEI        107
#define IDS_FONT_SONG         108

// Cleaning statistics on the home page
#define IDS_STAT_THIS_TIME    300
#define IDS_STAT_LAST_TIME    301
#define IDS_STAT_THIS_RESULT  302
#define IDS_STAT_LAST_RESULT  303
#define IDS_STAT_TOTAL_RESULT 304
#define IDS_STAT_NEVER        305
#define IDS_STAT_CLEANED      306

#define IDI_MAINICON          1

// Scan and clean drivers
#define IDS_SCANNING          400
#define IDS_CLEANING          401
#define IDS_SCAN_DONE         402
#define IDS_FOUND_COUNT_SIZE  403
#define IDS_FOUND_COUNT       404
#define IDS_ADVICE_CLEAN      405
#define IDS_SCAN_START        406
#define IDS_SCAN_STOP         407
#define IDS_SCAN_AGAIN        408
#define IDS_DESC_IDLE_TEXT    409
#define IDS_CLEAN_DONE        410
#define IDS_CLEAN_DONE_END    411
#define IDS_RESTART_EXPLORER  412
#define IDS_REGISTRY_KEPT     413
#define IDS_RESTORE_CONFIRM   414
#define IDS_RESTORE_DONE      415
#define IDS_RESTORE_FAILED    416
#define IDS_RESTORE_NONE      417
#define IDS_SETUP_CAPTION     418
#define IDS_SETUP_DESC        419
#define IDS_SETUP_OLD_FILES   420
#define IDS_SETUP_ALL_FILES   421
#define IDS_SETUP_TYPES_LABEL 422
#define IDS_SETUP_TYPES_BTN   423
#define IDS_OK                424
#define IDS_CANCEL            425
#define IDS_FILEEXT_CAPTION   426
#define IDS_FILEEXT_DESC      427
#define IDS_SELECT_ALL        428
#define IDS_SELECT_NONE       429
#define IDS_SELECT_RECOMMENDED 430
#define IDS_USER_DEFINED      431
#define IDS_LOG_ROOT          432
#define IDS_NOTE_HEADING      433
#define IDS_NOTE_MORE         434
#define IDS_JUNK_SCANNING_PATH 435
#define IDS_JUNK_TOO_MANY     436
#define IDS_JUNK_TOO_BIG      437
#define IDS_JUNK_NOT_STARTED  438
#define IDS_FIREFOX_RUNNING   439
#define IDS_CHROME_RUNNING    440
#define IDS_REGISTRY_UNSAVABLE 441
