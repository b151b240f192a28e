// Identifiers of every resource, control and command, shared by Mereth.rc and the code.
// Plain #defines: the resource compiler reads this file too.
#ifndef MERETH_RES_RESOURCE_H
#define MERETH_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// About box
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDR_MAINFRAME 128
#define IDI_ABOUT_CLOCK 131

// System menu command of the About box (low four bits are the system's)
#define IDM_ABOUTBOX 0x0010

// Main window
#define IDD_MONITOR 102
#define IDC_TRAYICON 104
#define IDC_HIDE 1000
#define IDC_SET_CHARGES 1006
#define IDC_ENTRY_COMBO 1007
#define IDC_TIMES 1055
#define IDC_COSTS 1056
#define IDC_LOGINS 1057
#define IDC_VIEW_LOG 1058
#define IDC_REPORT 1118
#define IDC_START 1101

// Group boxes naming the periods
#define IDC_TOTAL_GROUP 1008
#define IDC_YEAR_GROUP 1012
#define IDC_MONTH_GROUP 1013
#define IDC_TODAY_GROUP 1014
#define IDC_CONN_GROUP 1015

// Invisible placeholders; each duration indicator takes over its placeholder's id
#define IDC_TOTAL_TIME 1003
#define IDC_MONTH_TIME 1004
#define IDC_YEAR_TIME 1009
#define IDC_TODAY_TIME 1010
#define IDC_CONN_TIME 1011

// Cost and login indicators, created at run time over the placeholders
#define IDC_TODAY_COST 105
#define IDC_CONN_COST 106
#define IDC_YEAR_COST 107
#define IDC_MONTH_COST 108
#define IDC_TOTAL_COST 109
#define IDC_TOTAL_LOGINS 111
#define IDC_TODAY_LOGINS 112
#define IDC_YEAR_LOGINS 113
#define IDC_MONTH_LOGINS 114
#define IDC_CONN_LOGINS 115

// Tray icon pictures and menu
#define IDI_ONLINE 139
#define IDI_IDLE 142
#define IDR_TRAYMENU 132
#define ID_TRAY_SHOW 32771
#define ID_TRAY_EXIT 32772
#define ID_TRAY_CANCEL 32783
#define ID_TRAY_REPORT 32805
#define ID_TRAY_START_WITH_WINDOWS 32806
#define ID_TRAY_BACKUP 32807
#define ID_TRAY_RESTORE 32808

// Indicator context menus
#define IDR_DURATION_MENU 135
#define IDR_COST_MENU 136
#define IDR_LOGIN_MENU 137
#define ID_SHOW_DAYS 32777
#define ID_SHOW_SECONDS 32782
#define ID_MENU_CANCEL 32784
#define ID_RESET 32793
// Colour sub-menu: position k is ID_COLOUR_FIRST + k
#define ID_COLOUR_BLACK 32795
#define ID_COLOUR_GREY 32796
#define ID_COLOUR_BLUE 32797
#define ID_COLOUR_GREEN 32798
#define ID_COLOUR_RED 32799
#define ID_COLOUR_MAGENTA 32800
#define ID_COLOUR_YELLOW 32801
#define ID_COLOUR_CYAN 32802
#define ID_COLOUR_WHITE 32803
#define ID_COLOUR_FIRST ID_COLOUR_BLACK
#define ID_COLOUR_LAST ID_COLOUR_WHITE

// Set Charges: General page
#define IDD_CHARGES_GENERAL 145
#define IDC_MINIMUM_CHARGE 1059
#define IDC_BY_SECOND 1094
#define IDC_BY_UNIT 1095
#define IDC_CURRENCY_SYMBOL 1099
#define IDC_CHARGES_MINIMUM 1100

// Set Charges: Monday - Friday page, one row per period
#define IDD_CHARGES_WEEKDAY 146
#define IDC_WD_FROM1 1016
#define IDC_WD_FROM2 1017
#define IDC_WD_FROM3 1018
#define IDC_WD_FROM4 1019
#define IDC_WD_FROM5 1020
#define IDC_WD_TO1 1021
#define IDC_WD_TO2 1022
#define IDC_WD_TO3 1023
#define IDC_WD_TO4 1024
#define IDC_WD_TO5 1025
#define IDC_WD_SPIN1 1027
#define IDC_WD_SPIN2 1028
#define IDC_WD_SPIN3 1029
#define IDC_WD_SPIN4 1030
#define IDC_WD_FEE1 1031
#define IDC_WD_FEE2 1036
#define IDC_WD_FEE3 1038
#define IDC_WD_FEE4 1043
#define IDC_WD_FEE5 1044
#define IDC_WD_COST1 1026
#define IDC_WD_COST2 1032
#define IDC_WD_COST3 1033
#define IDC_WD_COST4 1034
#define IDC_WD_COST5 1035
#define IDC_WD_UNIT1 1037
#define IDC_WD_UNIT2 1039
#define IDC_WD_UNIT3 1040
#define IDC_WD_UNIT4 1041
#define IDC_WD_UNIT5 1042
#define IDC_WD_COST_HEADING 1072
#define IDC_WD_FEE_HEADING 1073

// Set Charges: Saturday & Sunday page
#define IDD_CHARGES_WEEKEND 147
#define IDC_SAT_FROM 1031
#define IDC_SUN_FROM 1032
#define IDC_SAT_TO 1036
#define IDC_SUN_TO 1037
#define IDC_SAT_UNIT 1038
#define IDC_SUN_UNIT 1039
#define IDC_SAT_COST 1045
#define IDC_SUN_COST 1046
#define IDC_SAT_FEE 1047
#define IDC_SUN_FEE 1048
#define IDC_SUN_COST_HEADING 1074
#define IDC_SUN_FEE_HEADING 1075
#define IDC_SAT_FEE_HEADING 1097
#define IDC_SAT_COST_HEADING 1098

// Set Charges: Budget and Holidays pages
#define IDD_CHARGES_BUDGET 148
#define IDC_BUDGET_AMOUNT 1110
#define IDC_BUDGET_CURRENCY 1111
#define IDC_BILLING_DAY 1112
#define IDC_BILLING_DAY_SPIN 1113
#define IDC_FIRST_ALERT 1114
#define IDC_SECOND_ALERT 1115
#define IDD_CHARGES_HOLIDAYS 149
#define IDC_HOLIDAY_LIST 1116

// Main window: the budget's projection bar and its menu
#define IDC_PROJECTION_BAR 1117
#define IDR_BILLING_MENU 138
#define ID_RESET_BILLING 32804

// Usage report window (dialog 150, controls from 1120)
#define IDD_REPORT 150
#define IDC_REPORT_ENTRY 1120
#define IDC_REPORT_GROUPING 1121
#define IDC_REPORT_FROM 1122
#define IDC_REPORT_TO 1123
#define IDC_REPORT_MEASURE 1124
#define IDC_REPORT_REFRESH 1125
#define IDC_REPORT_EXPORT 1126
#define IDC_REPORT_TABLE 1127
#define IDC_REPORT_CHART 1128
#define IDC_REPORT_CALLS 1129
#define IDC_REPORT_STATUS 1130

// Version record
#define IDC_ABOUT_VERSION 1140

#endif
