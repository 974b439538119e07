#pragma once
// Resource ids of the application: the main frame's resources, dialogs, their controls and the
// texts the shell looks up.

#include "platform/base/WinTypes.h"

// The main frame: menu, tool bar and title share the id.
constexpr UINT IDR_MAINFRAME = 517;

// Bitmaps.
constexpr UINT IDB_TOOLBAR = 81;
constexpr UINT IDB_TOOLBAR_DISABLED = 1500;
constexpr UINT IDB_LOGO = 62;
constexpr UINT IDB_LOGO_PRESSED = 63;
constexpr UINT IDC_LOGO = 128;

// Dialogs.
constexpr UINT IDD_ABOUTBOX = 500;
constexpr UINT IDD_APP_SETTINGS = 501;
constexpr UINT IDD_COMMENT = 503;
constexpr UINT IDD_DATETIME = 505;
constexpr UINT IDD_PROGRESS = 511;

// Controls of the About box.
constexpr int IDC_ABOUT_VERSION = 151;
constexpr int IDC_ABOUT_BUILD = 139;
constexpr int IDC_ABOUT_REVISION = 86;
constexpr int IDC_ABOUT_DESCRIPTION = 120;
constexpr int IDC_ABOUT_COMMENTS = 105;
constexpr int IDC_ABOUT_COPYRIGHT = 106;
constexpr int IDC_ABOUT_LANGUAGE_DESCRIPTION = 113;
constexpr int IDC_ABOUT_LANGUAGE_VERSION = 115;
constexpr int IDC_ABOUT_LANGUAGE_BUILD = 114;
constexpr int IDC_ABOUT_LANGUAGE_REVISION = 112;

// Controls of the settings dialog.
constexpr int IDC_DATE_FORMAT = 100;
constexpr int IDC_LANGUAGE = 101;
constexpr int IDC_TIME_FORMAT = 102;
constexpr int IDC_PREVIEW = 109;
constexpr int IDC_RESET = 518;

// Controls of the comment, time and progress dialogs.
constexpr int IDC_COMMENT = 104;
constexpr int IDC_DATE_PICKER = 108;
constexpr int IDC_OLD_DATE = 130;
constexpr int IDC_OLD_TIME = 131;
constexpr int IDC_TIME_PICKER = 148;
constexpr int IDC_PROGRESS = 133;
constexpr int IDC_PROGRESS_TEXT = 134;

// Commands.
constexpr UINT ID_APP_SETTINGS = 1;
constexpr UINT ID_EDIT_COPY = 4;
constexpr UINT ID_EXPORT_GRAPHIC = 5;
constexpr UINT ID_DELETE_ALL_ON_DEVICE = 9;
constexpr UINT ID_DISCONNECT = 10;
constexpr UINT ID_DOWNLOAD_ALL = 11;
constexpr UINT ID_EDIT_DELETE = 14;
constexpr UINT ID_EDIT_SELECT_ALL = 15;
constexpr UINT ID_EXPORT_CSV = 16;
constexpr UINT ID_FILE_SAVE_AS = 20;
constexpr UINT ID_CHECK_UPDATES = 24;
constexpr UINT ID_CUSTOMER_FEEDBACK = 25;
constexpr UINT ID_PRODUCT_REGISTRATION = 26;
constexpr UINT ID_HELP_FIRMWARE_UPDATE = 27;
constexpr UINT ID_LIVE_VIEW = 28;
constexpr UINT ID_UPDATE_PROGRAM = 31;
constexpr UINT ID_EDIT_PASTE = 32;
constexpr UINT ID_FILE_PRINT = 33;
constexpr UINT ID_UPDATE_FIRMWARE = 35;
constexpr UINT ID_CALIBRATION_VERIFY = 2002;
constexpr UINT ID_CALIBRATION_ADJUST = 2003;
constexpr UINT ID_RESTORE_FACTORY_CALIBRATION = 2004;
constexpr UINT ID_RESTORE_LAST_CALIBRATION = 2005;
constexpr UINT ID_HELP_CALIBRATION = 2006;
constexpr UINT ID_CERTIFICATE_TEMPLATE = 2008;
constexpr UINT ID_CERTIFICATE_EXAMPLE = 2009;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_HELP_FINDER = 57670;

// Texts.
constexpr UINT IDS_OLE_INIT_FAILED = 516;
constexpr UINT IDS_DATETIME_PREVIEW = 1027;
constexpr UINT IDS_MAIN_TITLE = 1035;
constexpr UINT IDS_REGISTRY_WRITE_FAILED = 1042;
constexpr UINT IDS_UNHANDLED_EXCEPTION = 1044;
constexpr UINT IDS_DATE_FORMAT_FIRST = 1064;
constexpr UINT IDS_TIME_FORMAT_FIRST = 1068;
constexpr UINT IDS_HELP_FILE = 1079;
constexpr UINT IDS_FIRMWARE_HELP_FILE = 1080;
constexpr UINT IDS_NEW_VERSION_MENU = 1099;
constexpr UINT IDS_TAB_MEASUREMENTS = 1138;
constexpr UINT IDS_TAB_SUMMARY = 1139;
constexpr UINT IDS_UPDATE_FIRMWARE_TO = 1166;
constexpr UINT IDS_UPDATE_PROGRAM_TO = 1167;
constexpr UINT IDS_CALIBRATION_HELP_FILE = 1176;
