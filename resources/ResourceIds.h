#pragma once
// Resource ids of the program: the main frame's resources, dialogs, their controls, commands and
// the texts and pictures that the shell, the document and the device library look up. They
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
// 16 x 16 pictures of the context menus on white: 1 scissors, 2 copy, 3 paste, 4 the red
// cross of "Exclude" and "Delete".
constexpr UINT IDB_MENU_PICTURES = 72;
// The grid page's row gripper pictures (22 x 19) and the rows menu's (20 x 19): open button,
// close button, black sigma, grey sigma, on pure red.
constexpr UINT IDB_GRIPPER = 65;
constexpr UINT IDB_ROWS_MENU = 74;

// Dialogs.
constexpr UINT IDD_ABOUTBOX = 500;
constexpr UINT IDD_APP_SETTINGS = 501;
constexpr UINT IDD_COMMENT = 503;
constexpr UINT IDD_DATETIME = 505;
constexpr UINT IDD_PROGRESS = 511;
constexpr UINT IDD_TAB_GRID = 512;
constexpr UINT IDD_TAB_SUMMARY = 513;

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
constexpr UINT IDS_HELP_FILE_NOT_FOUND = 1240;

// Texts of the measurement grid page and its detail rows.
constexpr UINT IDS_ADD_ALL_TO_SUMMARY = 1000;
constexpr UINT IDS_COLLAPSE_ALL = 1013;
constexpr UINT IDS_EXCLUDE_ALL_FROM_SUMMARY = 1048;
constexpr UINT IDS_EXPAND_ALL = 1050;
constexpr UINT IDS_EXPANDING = 1051;
constexpr UINT IDS_MENU_COPY = 1107;
constexpr UINT IDS_MENU_CUT = 1108;
constexpr UINT IDS_MENU_DELETE = 1109;
constexpr UINT IDS_MENU_PASTE = 1110;
constexpr UINT IDS_PRINT_TITLE = 1111;
constexpr UINT IDS_PRINT_MAKER = 1112;
constexpr UINT IDS_PRINT_VERSION = 1113;
constexpr UINT IDS_PRINT_PAGE_NUMBER = 1114;
constexpr UINT IDS_ID_NOT_A_NUMBER = 1118;
constexpr UINT IDS_SELECTED_MEASUREMENTS = 1123;
constexpr UINT IDS_CONFIRM_DELETE = 1135;
constexpr UINT IDS_LABEL_MEASURED_VALUE = 1150;
constexpr UINT IDS_LABEL_SERIAL_NO = 1151;
constexpr UINT IDS_TOTAL_MEASUREMENTS = 1154;
constexpr UINT IDS_UPDATING = 1169;

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

// Texts of the summary page.
constexpr UINT IDS_SUMMARY_ADD_COMMENT = 1001;
constexpr UINT IDS_FILTER_BMP = 1004;
constexpr UINT IDS_FILTER_JPG = 1005;
constexpr UINT IDS_FILTER_PNG = 1006;
constexpr UINT IDS_GRAPHIC_FILE_NAME = 1008;
constexpr UINT IDS_FILTER_CSV = 1018;
constexpr UINT IDS_DATA_FILE_NAME = 1019;
constexpr UINT IDS_LABEL_DATE = 1026;
constexpr UINT IDS_LABEL_EFFECTIVE_LOAD_RATE = 1036;
constexpr UINT IDS_FILTER_ALL = 1063;
constexpr UINT IDS_GRAPHIC_ENCODING_FAILED = 1075;
constexpr UINT IDS_LABEL_LAST_CALIBRATION = 1081;
constexpr UINT IDS_SUMMARY_MAXIMUM = 1092;
constexpr UINT IDS_SUMMARY_MINIMUM = 1095;
constexpr UINT IDS_SUMMARY_ORDERED_BY = 1104;
constexpr UINT IDS_LABEL_PEAK_LOAD = 1105;
constexpr UINT IDS_SUMMARY_PEAK_LOADS = 1106;
constexpr UINT IDS_SUMMARY_RANGE = 1116;
constexpr UINT IDS_SUMMARY_STD_DEVIATION = 1128;
constexpr UINT IDS_SUMMARY_MEAN = 1131;
constexpr UINT IDS_SUMMARY_STATISTICS = 1132;
constexpr UINT IDS_SUMMARY_TITLE = 1133;
constexpr UINT IDS_SUMMARY_COUNT = 1134;
constexpr UINT IDS_LABEL_TIME = 1142;
constexpr UINT IDS_LABEL_COMMENT = 1143;
constexpr UINT IDS_LABEL_DISC_AREA = 1145;
constexpr UINT IDS_LABEL_DISC_DIAMETER = 1146;
constexpr UINT IDS_LABEL_LOAD_RATE = 1149;
constexpr UINT IDS_LABEL_SLOT_ID = 1152;
constexpr UINT IDS_SUMMARY_UNIT = 1153;
constexpr UINT IDS_LABEL_PEAK_LOAD_TIME = 1177;
constexpr UINT IDS_LABEL_TEAR_OFF_TIME = 1178;

// Texts of the detail row's panels; the other labels it shows are the summary's and Live View's.
constexpr UINT IDS_DETAIL_DEVICE = 1031;
constexpr UINT IDS_DETAIL_FAILURE_MODE = 1060;
constexpr UINT IDS_DETAIL_LOAD_RATE_CURVE = 1072;
constexpr UINT IDS_DETAIL_HW_REVISION = 1076;
constexpr UINT IDS_DETAIL_HW_SERIAL_NO = 1077;
constexpr UINT IDS_DETAIL_MEASUREMENT = 1093;
constexpr UINT IDS_DETAIL_MODEL = 1096;
constexpr UINT IDS_DETAIL_SETTINGS = 1126;
constexpr UINT IDS_DETAIL_DISC_DIAMETER = 1147;

// Texts of the measurement list and the report; the other labels they write are the summary's,
// the detail row's and Live View's.
constexpr UINT IDS_EXPORT_DEVICE_DATA = 1032;
constexpr UINT IDS_EXPORT_FIRMWARE_VERSION = 1073;
constexpr UINT IDS_EXPORT_LOAD = 1082;
constexpr UINT IDS_EXPORT_LOAD_DATA = 1083;
constexpr UINT IDS_EXPORT_LOAD_LIMIT = 1084;
constexpr UINT IDS_EXPORT_SAMPLING_PERIOD = 1120;

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

// Information texts of the instrument families.
constexpr UINT IDS_DEVICE_INFO_BOOTLOADER = 20017;
constexpr UINT IDS_DEVICE_INFO_OS = 20018;
constexpr UINT IDS_DEVICE_INFO_PLATFORM = 20032;
constexpr UINT IDS_DEVICE_INFO_MODULE = 20035;

// Texts of the device library: the instrument.
constexpr UINT IDS_NO_REMOTE_LOGIN = 20029;
constexpr UINT IDS_DEVICE_INFO = 20030;
constexpr UINT IDS_ERASE_MEMORY = 20031;

// Restore-calibration dialog (548): the port, the restore and hidden dump buttons, the log.
constexpr UINT IDD_RESTORE_CALIBRATION = 548;
constexpr int IDC_RESTORE_PORT = 531;
constexpr int IDC_RESTORE_SHOW_CAL_INFO = 532;
constexpr int IDC_RESTORE_RUN = 533;
constexpr int IDC_RESTORE_LOG = 3001;

// Calibration adjustment and verification dialog (526): the procedure's fields, buttons,
// state texts and log, and its texts.
constexpr UINT IDD_TEST_STEP = 526;
constexpr int IDC_TESTSTEP_TESTER = 527;
constexpr int IDC_TESTSTEP_FACILITY = 528;
constexpr int IDC_TESTSTEP_REFERENCE_SN = 529;
constexpr int IDC_TESTSTEP_TEMPERATURE = 530;
constexpr int IDC_TESTSTEP_PORT = 531;
constexpr int IDC_TESTSTEP_CONNECT = 532;
constexpr int IDC_TESTSTEP_START = 533;
constexpr int IDC_TESTSTEP_CONNECTION = 535;
constexpr int IDC_TESTSTEP_DEVICE_INFO = 536;
constexpr int IDC_TESTSTEP_CYCLES = 537;
constexpr int IDC_TESTSTEP_STEP = 538;
constexpr int IDC_TESTSTEP_WAIT = 539;
constexpr int IDC_TESTSTEP_SAVE_RESULTS = 540;
constexpr int IDC_TESTSTEP_RAMP = 541;
constexpr int IDC_TESTSTEP_SKIP_TIME = 542;
constexpr int IDC_TESTSTEP_TYPE = 543;
constexpr int IDC_TESTSTEP_TEST_SOUND = 544;
constexpr int IDC_TESTSTEP_PAUSE = 545;
constexpr int IDC_TESTSTEP_LOAD_UNIT = 546;
constexpr int IDC_TESTSTEP_STATUS = 557;
constexpr int IDC_TESTSTEP_LOG = 3001;
constexpr UINT IDS_TESTSTEP_TIP_CONNECT = 1181;
constexpr UINT IDS_TESTSTEP_TIP_START = 1182;
constexpr UINT IDS_TESTSTEP_TIP_EXIT = 1183;
constexpr UINT IDS_TESTSTEP_TIP_PORT = 1184;
constexpr UINT IDS_TESTSTEP_TIP_SAVE_RESULTS = 1185;
constexpr UINT IDS_TESTSTEP_TIP_TYPE = 1186;
constexpr UINT IDS_TESTSTEP_TIP_FACILITY = 1187;
constexpr UINT IDS_TESTSTEP_TIP_REFERENCE_SN = 1188;
constexpr UINT IDS_TESTSTEP_TIP_TESTER = 1189;
constexpr UINT IDS_TESTSTEP_TIP_TEMPERATURE = 1190;
constexpr UINT IDS_TESTSTEP_TIP_CYCLES = 1191;
constexpr UINT IDS_TESTSTEP_TITLE_ADJUSTMENT = 1192;
constexpr UINT IDS_TESTSTEP_TITLE_VERIFICATION = 1193;
constexpr UINT IDS_TESTSTEP_PORT_MISSING = 1194;
constexpr UINT IDS_TESTSTEP_CONNECTING = 1195;
constexpr UINT IDS_TESTSTEP_NO_TESTER = 1196;
constexpr UINT IDS_TESTSTEP_NO_FACILITY = 1197;
constexpr UINT IDS_TESTSTEP_NO_REFERENCE_SN = 1198;
constexpr UINT IDS_TESTSTEP_CONFIRM_ABORT = 1199;
constexpr UINT IDS_TESTSTEP_CONNECTING_BLINK = 1200;
constexpr UINT IDS_TESTSTEP_UPDATING = 1201;
constexpr UINT IDS_TESTSTEP_CONNECTED_LOAD = 1202;
constexpr UINT IDS_TESTSTEP_PAUSING = 1203;
constexpr UINT IDS_TESTSTEP_CONTINUE_VERIFICATION = 1204;
constexpr UINT IDS_TESTSTEP_FOUR_CHARACTERS = 1205;

// Live View: the dialog (509), its plot windows (510), their controls and texts.
constexpr UINT IDD_MEAS = 509;
constexpr UINT IDD_MEAS_PLOT = 510;
constexpr int IDC_MEAS_START = 84;
constexpr int IDC_MEAS_STOP = 85;
constexpr int IDC_MEAS_LOG_DATA = 96;
constexpr int IDC_MEAS_SAMPLING = 99;
constexpr int IDC_MEAS_PERIOD = 118;
constexpr int IDC_MEAS_OWN_WINDOW = 135;
constexpr int IDC_MEAS_SAME_WINDOW = 136;
constexpr int IDC_MEAS_AXIS_AUTO = 137;
constexpr int IDC_MEAS_AXIS_LOAD_LIMIT = 138;
constexpr int IDC_MEAS_DEVICE_INFO1 = 141;
constexpr int IDC_MEAS_DEVICE_INFO2 = 142;
constexpr int IDC_MEAS_STATUS = 143;
constexpr UINT IDS_LIVE_CONNECTED = 1015;
constexpr UINT IDS_LIVE_DATE = 1026;
constexpr UINT IDS_LIVE_TIP_LOG_DATA = 1037;
constexpr UINT IDS_LIVE_TIP_EXIT = 1049;
constexpr UINT IDS_LIVE_FIRMWARE_VERSION = 1073;
constexpr UINT IDS_LIVE_LOAD = 1082;
constexpr UINT IDS_LIVE_LOAD_LIMIT = 1084;
constexpr UINT IDS_LIVE_CONNECTION_LOST = 1085;
constexpr UINT IDS_LIVE_NO_CONTINUOUS_MODE = 1086;
constexpr UINT IDS_LIVE_NO_DEBUG_PROTOCOL = 1087;
constexpr UINT IDS_LIVE_NO_DEVICE_INFO = 1089;
constexpr UINT IDS_LIVE_NO_DATA = 1090;
constexpr UINT IDS_LIVE_WAITING_FOR_TEST = 1091;
constexpr UINT IDS_LIVE_MS = 1094;
constexpr UINT IDS_LIVE_NOT_CONNECTED = 1103;
constexpr UINT IDS_LIVE_TIP_PERIOD = 1125;
constexpr UINT IDS_LIVE_TIP_START = 1127;
constexpr UINT IDS_LIVE_TIP_STOP = 1129;
constexpr UINT IDS_LIVE_TEST = 1140;
constexpr UINT IDS_LIVE_TEST_SETTINGS = 1141;
constexpr UINT IDS_LIVE_TIME = 1142;
constexpr UINT IDS_LIVE_TEST_DISC_AREA = 1145;
constexpr UINT IDS_LIVE_LOAD_RATE = 1149;
constexpr UINT IDS_LIVE_SERIAL_NO = 1151;
constexpr UINT IDS_LIVE_UPDATE_RATE = 1168;

// Step grid of the calibration procedure (519, modeless): the grid, its hidden trace field
// and scroll bar, the unit and instruction texts, the action button; its texts.
constexpr UINT IDD_CAL_GRID = 519;
constexpr int IDC_CAL_GRID = 520;
constexpr int IDC_CAL_GRID_TRACE = 521;
constexpr int IDC_CAL_GRID_SCROLL = 522;
constexpr int IDC_CAL_GRID_UNIT = 523;
constexpr int IDC_CAL_GRID_INFO = 524;
constexpr int IDC_CAL_GRID_ACTION = 525;
constexpr UINT IDS_GRID_REFERENCE_TITLE = 1206;
constexpr UINT IDS_GRID_REFERENCE_INFO = 1207;
constexpr UINT IDS_GRID_CALIBRATE = 1208;
constexpr UINT IDS_GRID_RESULTS_TITLE = 1209;
constexpr UINT IDS_GRID_RESULTS_INFO = 1210;
constexpr UINT IDS_GRID_COPY_DATA = 1211;
constexpr UINT IDS_GRID_HEAD_NUMBER = 1212;
constexpr UINT IDS_GRID_HEAD_STEP = 1213;
constexpr UINT IDS_GRID_HEAD_NOMINAL = 1214;
constexpr UINT IDS_GRID_HEAD_REFERENCE = 1215;
constexpr UINT IDS_GRID_HEAD_RUN = 1216;
constexpr UINT IDS_GRID_CELL_EMPTY = 1217;
constexpr UINT IDS_GRID_CELL_NOT_NUMBER = 1218;
constexpr UINT IDS_GRID_INVALID_CELLS = 1219;
constexpr UINT IDS_GRID_LOAD_UNIT = 1222;

// Message boxes: captions by kind and the request to send the log file.
constexpr UINT IDS_CAPTION_FATAL_ERROR = 28500;
constexpr UINT IDS_CAPTION_ERROR = 28501;
constexpr UINT IDS_CAPTION_WARNING = 28502;
constexpr UINT IDS_CAPTION_INFORMATION = 28503;
constexpr UINT IDS_LOG_FILE_REQUEST = 28551;

// The device login check, the remote-login dialog and the cloud sign-in dialog.
constexpr UINT IDD_REMOTE_LOGIN = 21047;
constexpr UINT IDD_SERVER_LOGIN = 21048;
constexpr int IDC_LOGIN_NAME = 21101;
constexpr int IDC_LOGIN_PASSWORD = 21102;
constexpr int IDC_SERVER_LOGIN_PROMPT = 21103;
constexpr int IDC_SERVER_REGISTER = 4;
constexpr UINT IDS_DEVICE_LOGIN_UNKNOWN_ERROR = 21014;
constexpr UINT IDS_LOGIN_NO_SUPER_USER = 21017;
constexpr UINT IDS_LOGIN_NO_PASSWORD = 21018;
constexpr UINT IDS_LOGIN_FAILED = 21019;
constexpr UINT IDS_LOGIN_CLOUD_REQUIRED = 21024;
constexpr UINT IDS_CLOUD_WRONG_CREDENTIALS = 21025;
constexpr UINT IDS_CLOUD_EMAIL_NOT_VERIFIED = 21026;
constexpr UINT IDS_CLOUD_INVALID_DEVICE_NAME = 21027;
constexpr UINT IDS_CLOUD_EXCEPTION = 21028;
constexpr UINT IDS_SERVER_LOGIN_PROMPT = 21049;

// The connection to the ZD-2: the download, the device and service commands of the main frame.
constexpr UINT IDS_NOT_CONNECTED_NO_DELETE = 1014;
constexpr UINT IDS_DELETE_ALL_FAILED = 1029;
constexpr UINT IDS_DELETE_ALL_DONE = 1030;
constexpr UINT IDS_CONNECT_WIZARD_CAPTION = 1033;
constexpr UINT IDS_DOWNLOAD_FAILED = 1059;
constexpr UINT IDS_FEEDBACK_ADDRESS = 1061;
constexpr UINT IDS_LIVE_VIEW_FIRMWARE_TOO_OLD = 1074;
constexpr UINT IDS_UPGRADE_PROGRAM_FILE = 1078;
constexpr UINT IDS_LIVE_VIEW_NOT_CONNECTED = 1088;
constexpr UINT IDS_NO_MEASUREMENT_DATA = 1100;
constexpr UINT IDS_REGISTRATION_ADDRESS = 1115;
constexpr UINT IDS_FIRMWARE_UPDATE_DELETES = 1117;
constexpr UINT IDS_CONFIRM_DELETE_ALL = 1136;
constexpr UINT IDS_DOWNLOAD_RECORD_UNREADABLE = 1236;
constexpr UINT IDS_DOWNLOAD_LINK_LOST = 1237;

// The device-connection wizard: pages, their controls and texts.
constexpr UINT IDD_WIZARD_DEVICE_TYPE = 21018;
constexpr UINT IDD_WIZARD_PORT = 21030;
constexpr UINT IDD_WIZARD_FOUND = 21031;
constexpr UINT IDD_WIZARD_WELCOME = 21032;
constexpr int IDC_WIZARD_PORT_HELP = 21020;
constexpr int IDC_WIZARD_DEVICE_TYPE = 21021;
constexpr int IDC_WIZARD_PORT_KIND = 21022;
constexpr int IDC_WIZARD_STATUS = 21023;
constexpr int IDC_WIZARD_SCAN = 21024;
constexpr int IDC_WIZARD_ADDRESS = 21025;
constexpr int IDC_WIZARD_STOP_SCAN = 21026;
constexpr int IDC_WIZARD_COM_PORT = 21027;
constexpr int IDC_WIZARD_DEVICES = 21028;
constexpr int IDC_WIZARD_DEVICE_INFO = 21029;
constexpr int IDC_WIZARD_EXPRESS = 21034;
constexpr int IDC_WIZARD_CUSTOM = 21035;
constexpr UINT IDS_TIP_DEVICE_INFO = 21001;
constexpr UINT IDS_TIP_DEVICE_TYPE = 21002;
constexpr UINT IDS_TIP_NEXT = 21003;
constexpr UINT IDS_TIP_CANCEL = 21004;
constexpr UINT IDS_TIP_BACK = 21005;
constexpr UINT IDS_TIP_FINISH = 21006;
constexpr UINT IDS_TIP_SCAN = 21007;
constexpr UINT IDS_TIP_ADDRESS = 21008;
constexpr UINT IDS_TIP_COM_PORT = 21009;
constexpr UINT IDS_TIP_PORT_KIND = 21010;
constexpr UINT IDS_TIP_STOP_SCAN = 21011;
constexpr UINT IDS_TIP_DEVICES = 21012;
constexpr UINT IDS_TIP_STATUS = 21013;
constexpr UINT IDS_TIP_EXPRESS = 21015;
constexpr UINT IDS_TIP_CUSTOM = 21016;
constexpr UINT IDS_WIZARD_BACK = 21020;
constexpr UINT IDS_WIZARD_NEXT = 21021;
constexpr UINT IDS_WIZARD_FINISH = 21022;
constexpr UINT IDS_WIZARD_CANCEL = 21023;
constexpr UINT IDS_SEARCH_NOTHING_FOUND = 21038;
constexpr UINT IDS_TIP_HELP = 21039;
constexpr UINT IDS_PORT_KIND_SERIAL = 21040;
constexpr UINT IDS_PORT_KIND_USB = 21041;
constexpr UINT IDS_PORT_KIND_ETHERNET = 21042;
constexpr UINT IDS_FOUND_DEVICE_ENTRY = 21043;
constexpr UINT IDS_BAD_CONNECTION = 21044;
constexpr UINT IDS_SEARCH_FOUND = 21045;
constexpr UINT IDS_NO_DEVICE_RETRY = 21046;
// Help topics of the wizard's pages.
constexpr DWORD kHelpTopicDeviceType = 21002;
constexpr DWORD kHelpTopicPort = 21003;
constexpr DWORD kHelpTopicFound = 21004;

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

// The export option dialogs of the measurement page: pictures, dialogs, controls and texts.
constexpr UINT IDD_EXPORT_BMP = 507;
constexpr UINT IDD_EXPORT_CSV = 508;
// Hidden statics whose font is the option panel's font, and the curve-data check box.
constexpr int IDC_EXPORT_BMP_FONT = 83;
constexpr int IDC_EXPORT_CSV_FONT = 107;
constexpr int IDC_EXPORT_CURVE = 95;
// Option pictures (transparent where their top-left pixel's colour is).
constexpr UINT IDB_EXPORT_ALL = 37;
constexpr UINT IDB_EXPORT_CLIPBOARD = 38;
constexpr UINT IDB_EXPORT_HEADERS_DETAILS = 39;
constexpr UINT IDB_EXPORT_HEADERS_ONLY = 49;
constexpr UINT IDB_EXPORT_PICTURE_FILES = 50;
constexpr UINT IDB_EXPORT_PICTURE_FILE = 52;
constexpr UINT IDB_EXPORT_SELECTION = 53;
constexpr UINT IDB_EXPORT_AS_IS = 55;
constexpr UINT IDB_EXPORT_REPORT = 57;
constexpr UINT IDB_EXPORT_TABLE = 58;
constexpr UINT IDB_EXPORT_TEXT_FILES = 59;
constexpr UINT IDB_EXPORT_TEXT_FILE = 60;
// Pieces of the preview: strips of a grid picture and the icons of the target.
constexpr UINT IDB_PREVIEW_PICTURE_ICON = 40;
constexpr UINT IDB_PREVIEW_CLIPBOARD_ICON = 41;
constexpr UINT IDB_PREVIEW_DETAIL = 42;
constexpr UINT IDB_PREVIEW_DETAIL_TORN = 43;
constexpr UINT IDB_PREVIEW_HEADER = 45;
constexpr UINT IDB_PREVIEW_HEADER_TORN = 46;
constexpr UINT IDB_PREVIEW_COLUMN_HEADERS = 48;
constexpr UINT IDB_PREVIEW_TEXT_ICON = 56;
constexpr UINT IDS_EXPORT_AS_IS = 1002;
constexpr UINT IDS_EXPORT_HEADERS_DETAILS = 1003;
constexpr UINT IDS_EXPORT_HEADERS_ONLY = 1007;
constexpr UINT IDS_EXPORT_PREVIEW = 1009;
constexpr UINT IDS_EXPORT_BMP_DATA_HEADING = 1010;
constexpr UINT IDS_EXPORT_BMP_TARGET_HEADING = 1011;
constexpr UINT IDS_EXPORT_BMP_CONTENT_HEADING = 1012;
constexpr UINT IDS_EXPORT_REPORT = 1020;
constexpr UINT IDS_EXPORT_CSV_DATA_HEADING = 1021;
constexpr UINT IDS_EXPORT_CSV_FORMAT_HEADING = 1022;
constexpr UINT IDS_EXPORT_CSV_TARGET_HEADING = 1023;
constexpr UINT IDS_EXPORT_TABLE = 1024;
constexpr UINT IDS_EXPORT_ALL = 1052;
constexpr UINT IDS_EXPORT_CLIPBOARD = 1053;
constexpr UINT IDS_EXPORT_EACH_FILE = 1054;
constexpr UINT IDS_EXPORT_ONE_FILE = 1055;
constexpr UINT IDS_EXPORT_SELECTION = 1057;
constexpr UINT IDS_EXPORT_NO_SELECTION = 1102;
// Texts of the export commands.
constexpr UINT IDS_CLIPBOARD_COPY_FAILED = 1016;
constexpr UINT IDS_EXPORT_CREATING = 1017;
constexpr UINT IDS_FILE_NOT_CREATED = 1025;
constexpr UINT IDS_BITMAP_TOO_LARGE = 1056;
constexpr UINT IDS_EXPORT_EXPORTING = 1058;
constexpr UINT IDS_EXPORT_PREPARING = 1175;
constexpr UINT IDS_EXPORT_NOTHING_CHOSEN = 1230;
