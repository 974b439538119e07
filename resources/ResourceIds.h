#pragma once
// Resource ids of the program: the main frame's resources, dialogs, their controls, commands and
// the texts and pictures that the shell, the data core and the device library look up. They
// live below all of them, so that each names an id once, as the files in resources/ number it.

#include "platform/base/WinTypes.h"

// The main frame: menu, tool bar and title share the id.
constexpr UINT IDR_MAINFRAME = 517;

// Bitmaps.
constexpr UINT IDB_TOOLBAR = 81;
constexpr UINT IDB_TOOLBAR_DISABLED = 1500;
constexpr UINT IDB_LOGO = 62;
constexpr UINT IDB_LOGO_PRESSED = 63;
constexpr UINT IDC_LOGO = 128;
// 16 x 16 pictures of the context menus on white; index 4 is the red cross of "Exclude".
constexpr UINT IDB_MENU_PICTURES = 72;

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

// Texts of the shell.
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

// Texts of the project document, the measurement list and the summary.
constexpr UINT IDS_NEWER_FORMAT = 1045;
constexpr UINT IDS_NOT_A_PROJECT = 1046;
constexpr UINT IDS_EXCLUDE = 1047;
constexpr UINT IDS_UNNAMED = 1062;
constexpr UINT IDS_OTHER_LOAD_LIMIT = 1119;
constexpr UINT IDS_SAVE_CHANGES = 1121;
constexpr UINT IDS_LABEL_DATE_TIME = 1144;
constexpr UINT IDS_LABEL_ID = 1148;
constexpr UINT IDS_LABEL_VALUE = 1174;

// Unit names.
constexpr UINT IDS_UNIT_SECOND = 1122;
constexpr UINT IDS_UNIT_IN = 1155;
constexpr UINT IDS_UNIT_IN2 = 1156;
constexpr UINT IDS_UNIT_KN = 1157;
constexpr UINT IDS_UNIT_LBF = 1158;
constexpr UINT IDS_UNIT_MM = 1159;
constexpr UINT IDS_UNIT_MM2 = 1160;
constexpr UINT IDS_UNIT_MPA = 1161;
constexpr UINT IDS_UNIT_N = 1162;
constexpr UINT IDS_UNIT_N_MM2 = 1163;
constexpr UINT IDS_UNIT_PSI = 1164;
constexpr UINT IDS_UNIT_UNKNOWN = 1165;

// Texts of the device library: the search's status lines.
constexpr UINT IDS_SEARCH_SERIAL = 20000;
constexpr UINT IDS_SEARCH_USB = 20001;
constexpr UINT IDS_SEARCH_ETHERNET = 20002;
constexpr UINT IDS_SEARCH_LINE = 20003;
constexpr UINT IDS_COULD_NOT_OPEN_PORT = 20004;
constexpr UINT IDS_DEVICE_NOT_FOUND = 20006;
constexpr UINT IDS_DEVICE_FOUND = 20007;
constexpr UINT IDS_COULD_NOT_OPEN_USB = 20020;
constexpr UINT IDS_AWAIT_RECONNECTION = 20033;

// Texts of the device library: the firmware update's steps and results.
constexpr UINT IDS_UPDATE_TRANSFER_BLOCK = 20005;
constexpr UINT IDS_UPDATE_WRITE_BLOCK = 20008;
constexpr UINT IDS_UPDATE_SET_MODE = 20009;
constexpr UINT IDS_UPDATE_DEVICE_CHECKS = 20010;
constexpr UINT IDS_UPDATE_INIT = 20011;
constexpr UINT IDS_UPDATE_SET_RUN_MODE = 20012;
constexpr UINT IDS_UPDATE_FINISHED = 20013;
constexpr UINT IDS_UPDATE_STEP_SUFFIX = 20014;
constexpr UINT IDS_UPDATE_ERROR_CODE = 20015;
constexpr UINT IDS_UPDATE_COMMUNICATION = 20016;
constexpr UINT IDS_UPDATE_WRONG_DEVICE = 20019;
constexpr UINT IDS_UPDATE_HARDWARE = 20021;
constexpr UINT IDS_UPDATE_RETRY = 20022;
constexpr UINT IDS_UPDATE_INCOMPLETE = 20023;
constexpr UINT IDS_UPDATE_PROGRAM_FAILED = 20024;
constexpr UINT IDS_UPDATE_MODE_CHANGE = 20025;
constexpr UINT IDS_UPDATE_FILE_READ = 20026;
constexpr UINT IDS_UPDATE_ABORTED = 20027;
constexpr UINT IDS_UPDATE_OS_VERSION = 20028;
constexpr UINT IDS_UPDATE_BATTERY = 20034;

// Texts of the device library: the instrument.
constexpr UINT IDS_NO_REMOTE_LOGIN = 20029;
constexpr UINT IDS_DEVICE_INFO = 20030;
constexpr UINT IDS_ERASE_MEMORY = 20031;

// Message boxes: captions by kind and the request to send the log file.
constexpr UINT IDS_CAPTION_FATAL_ERROR = 28500;
constexpr UINT IDS_CAPTION_ERROR = 28501;
constexpr UINT IDS_CAPTION_WARNING = 28502;
constexpr UINT IDS_CAPTION_INFORMATION = 28503;
constexpr UINT IDS_LOG_FILE_REQUEST = 28551;

// Update-server connection, program-update wizard and firmware-update check.
constexpr UINT IDD_UPDATE_DOWNLOAD = 22000;
constexpr UINT IDD_UPDATE_SEARCH = 22001;
constexpr UINT IDD_UPDATE_WIZARD = 22040;
constexpr int IDC_UPDATE_BACK = 12323;
constexpr int IDC_UPDATE_NEXT = 12324;
constexpr int IDC_UPDATE_FINISH = 12325;
constexpr int IDC_UPDATE_SECOND_LINE = 22003;
constexpr int IDC_UPDATE_MESSAGE = 22006;
constexpr int IDC_UPDATE_PROGRESS = 22008;
constexpr int IDC_UPDATE_DOWNLOAD_TITLE = 22011;
constexpr int IDC_UPDATE_SEARCH_TITLE = 22013;
constexpr int IDC_UPDATE_DOWNLOAD_STATUS = 22015;
constexpr UINT IDS_UPDATE_CAPTION = 22002;
constexpr UINT IDS_UPDATE_BROKEN_CONNECTION = 22004;
constexpr UINT IDS_UPDATE_CONNECTING = 22005;
constexpr UINT IDS_UPDATE_NONE_AVAILABLE = 22007;
constexpr UINT IDS_UPDATE_FOUND = 22009;
constexpr UINT IDS_UPDATE_DOWNLOADING = 22010;
constexpr UINT IDS_UPDATE_MB_DOWNLOADED = 22017;
constexpr UINT IDS_UPDATE_DOWNLOAD_FAILED = 22018;
constexpr UINT IDS_UPDATE_RECEIVING_INFO = 22019;
constexpr UINT IDS_UPDATE_SEARCHING = 22020;
constexpr UINT IDS_UPDATE_WIZARD_NEXT = 22021;
constexpr UINT IDS_UPDATE_WIZARD_BACK = 22022;
constexpr UINT IDS_UPDATE_WIZARD_CANCEL = 22023;
constexpr UINT IDS_UPDATE_WIZARD_FINISH = 22024;
constexpr UINT IDS_UPDATE_MINIMUM_MISSING = 22025;
constexpr UINT IDS_UPDATE_MINIMUM_OFFERED = 22026;
constexpr UINT IDS_UPDATE_PREVIOUS_OFFERED = 22027;
constexpr UINT IDS_UPDATE_INFO_FILE_FAILED = 22028;
constexpr UINT IDS_FIRMWARE_CHECK_OFFLINE = 22032;
constexpr UINT IDS_UPDATE_PREVIOUS_MISSING = 22033;
constexpr UINT IDS_FTP_CONNECT_FAILED = 25003;
constexpr UINT IDS_FTP_FOLDER_MISSING = 25004;
constexpr UINT IDS_INTERNET_SESSION_FAILED = 25005;
constexpr UINT IDS_INTERNET_ERROR_NUMBER = 25006;
