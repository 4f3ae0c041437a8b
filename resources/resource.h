/* Resource identifiers of Quorlet.exe, shared by Quorlet.rc and the code. */
#ifndef QUORLET_RESOURCE_H
#define QUORLET_RESOURCE_H

/* Program icon: the window class, the tray icon and the about box load it
   with LoadIcon(hInst, MAKEINTRESOURCE(IDI_MAINICON)). Being the lowest icon
   ID, it is also the icon Explorer shows for the executable. */
#define IDI_MAINICON    1

/* Grey placeholder shown on a button whose icon file cannot be found. */
#define IDI_MISSEDICON  2

/* Pictures of the program's own commands on the first tab sheet. */
#define IDI_OPTIONS     3   /* options dialog: a gear wheel */
#define IDI_REPORT      4   /* frequency report: a sheet with a bar chart */
#define IDI_ALARM       5   /* alarm clock, while the alarm is off */
#define IDI_ALARMON     6   /* alarm clock, while the alarm is armed */
#define IDI_BACKUP      7   /* back up the settings: an arrow into a box */
#define IDI_RESTORE     8   /* restore the settings: an arrow out of the box */

/* The alarm window's clock, rocking: tilted left, upright, tilted right
   (96x96 and 192x192). */
#define IDI_ALARMFRAME0 9
#define IDI_ALARMFRAME1 10
#define IDI_ALARMFRAME2 11
/* The alarm dialog's pictures: armed (a play badge) and off (a stop badge). */
#define IDI_ALARMENABLED  12
#define IDI_ALARMDISABLED 13

/* The alarm window */
#define IDD_ALARM           100
#define IDC_ALARM_IMAGE0    1001
#define IDC_ALARM_IMAGE1    1002
#define IDC_ALARM_IMAGE2    1003
#define IDC_ALARM_MESSAGE   1004
#define IDC_ALARM_TIME      1005
#define IDC_ALARM_SNOOZE    1006

/* The alarm dialog */
#define IDD_ALARMCONFIG         110
#define IDD_ALARMCONFIG_PAGE    111
#define IDC_CFG_PAGE            1100 /* the "Config" page on the tab control */
#define IDC_CFG_PAGES           1101
#define IDC_CFG_ALARMON         1102
#define IDC_CFG_IMAGEENABLED    1103
#define IDC_CFG_IMAGEDISABLED   1104
#define IDC_CFG_TIMELABEL       1105
#define IDC_CFG_TIME            1106
#define IDC_CFG_RINGLABEL       1107
#define IDC_CFG_TIMEROUT        1108
#define IDC_CFG_TIMEROUTSPIN    1109
#define IDC_CFG_SECLABEL        1110
#define IDC_CFG_MESSAGELABEL    1111
#define IDC_CFG_MESSAGE         1112
#define IDC_CFG_TONEON          1113
#define IDC_CFG_TONE            1114
#define IDC_CFG_TONEBROWSE      1115
#define IDC_CFG_EVENTON         1116
#define IDC_CFG_EVENT           1117
#define IDC_CFG_TEST            1118
#define IDC_CFG_REPEAT          1119
#define IDC_CFG_REPEATFRAME     1120
#define IDC_CFG_DAY0            1130 /* Sunday; IDC_CFG_DAY0 + n is day n */
#define IDC_CFG_HELP            1140

/* The frequency report and its wait window */
#define IDD_REPORT              120
#define IDD_REPORT_PAGE         121
#define IDD_WAIT                122
#define IDC_RPT_PAGES           1201
#define IDC_RPT_PAGE            1202
#define IDC_RPT_GROUPSLABEL     1203
#define IDC_RPT_GROUPS          1204
#define IDC_RPT_EXPORTCSV       1205
#define IDC_RPT_EXPORTXLS       1206
#define IDC_RPT_LIST            1207
#define IDC_RPT_HELP            1208
#define IDC_RPT_CLOSE           1209
#define IDC_WAIT_PANEL          1210
#define IDM_RPT_COPYPATH        1220
#define IDM_RPT_EXPLORE         1221

/* The tab sheet name prompt (3000-3019) */
#define IDD_GROUPNAME           3000
#define IDC_GRP_LABEL           3001
#define IDC_GRP_NAME            3002 /* the name field; OK and Cancel are IDOK and IDCANCEL */

/* The about box (3020-3059); its OK button is IDOK */
#define IDD_ABOUT               3020
#define IDI_ABOUTEMBLEM         3021 /* the banner's emblem: the program's tile, 48x48 and 96x96 */
#define IDC_ABOUT_BANNER        3022
#define IDC_ABOUT_HEADING       3023
#define IDC_ABOUT_AVAILABLE     3024
#define IDC_ABOUT_PROMISE       3025
#define IDC_ABOUT_MAILLABEL     3026
#define IDC_ABOUT_MAIL          3027 /* link: the support mail address */
#define IDC_ABOUT_WEBLABEL      3028
#define IDC_ABOUT_WEB           3029 /* link: the home page */
#define IDC_ABOUT_VERSIONLABEL  3030
#define IDC_ABOUT_VERSION       3031
#define IDC_ABOUT_UPDATELABEL   3032
#define IDC_ABOUT_UPDATE        3033
#define IDC_ABOUT_RULE          3034 /* the line above the OK button */

/* The button properties dialog: a tab control with one page. */
#define IDD_BTNPROPERTIES       3040
#define IDD_BTNPROPERTIES_PAGE  3041
#define IDC_BTN_PAGES           3042
#define IDC_BTN_PAGE            3043 /* the "Icon Taget Setting" page */
#define IDC_BTN_HELP            3044
#define IDC_BTN_COMMANDLABEL    3045
#define IDC_BTN_COMMAND         3046
#define IDC_BTN_RESOLVE         3047 /* "Resolve lnk file" */
#define IDC_BTN_SELECTFILE      3048 /* "Select target file" */
#define IDC_BTN_PARAMETERSLABEL 3049
#define IDC_BTN_PARAMETERS      3050
#define IDC_BTN_WORKDIRLABEL    3051
#define IDC_BTN_WORKDIR         3052
#define IDC_BTN_SELECTFOLDER    3053 /* "Select folder" */
#define IDC_BTN_DESCRIPTIONLABEL 3054
#define IDC_BTN_DESCRIPTION     3055
#define IDC_BTN_WINDOWSTYLELABEL 3056
#define IDC_BTN_WINDOWSTYLE     3057
#define IDC_BTN_OPTIONS         3058
#define IDC_BTN_ENABLEREPORT    3059
#define IDC_BTN_ICONGROUP       3060
#define IDC_BTN_ICON            3061 /* the preview */
#define IDC_BTN_CHOOSE          3062
#define IDC_BTN_HOTKEY          3063 /* never visible: carries HotKey */
#define IDC_BTN_PRIORITY        3064 /* never visible: carries Priority */

/* The icon chooser. */
#define IDD_ICONFORM            3070
#define IDC_ICO_GROUP           3071
#define IDC_ICO_FILELABEL       3072
#define IDC_ICO_FILE            3073
#define IDC_ICO_BROWSE          3074
#define IDC_ICO_PREVIEW         3075
#define IDC_ICO_INDEXLABEL      3076
#define IDC_ICO_INDEX           3077
#define IDC_ICO_INDEXSPIN       3078
#define IDC_ICO_SLASH           3079
#define IDC_ICO_MAXINDEX        3080

/* The options dialog: a tab control with the pages General, Tabsheet, Update. */
#define IDD_OPTIONS             3100
#define IDD_OPTIONS_GENERAL     3101
#define IDD_OPTIONS_TABSHEET    3102
#define IDD_OPTIONS_UPDATE      3103
#define IDC_OPT_PAGES           3104
#define IDC_OPT_GENERALPAGE     3105
#define IDC_OPT_TABSHEETPAGE    3106
#define IDC_OPT_UPDATEPAGE      3107
#define IDC_OPT_HELP            3108
#define IDC_OPT_RUNSTARTUP      3110
#define IDC_OPT_ACTIVEAPPPANEL  3111
#define IDC_OPT_ALWAYSONTOP     3112
#define IDC_OPT_SHOWAPPPANEL    3113
#define IDC_OPT_ANALYSELINK     3114
#define IDC_OPT_IGNOREBLANK     3115
#define IDC_OPT_HIDEAFTERCLICK  3116
#define IDC_OPT_SPLASHSCREEN    3117 /* never visible: carries SplashScreen */
#define IDC_OPT_HOTKEYGROUP     3118
#define IDC_OPT_HOTKEY          3119
#define IDC_OPT_SHORTCUTGROUP   3120
#define IDC_OPT_DESKTOP         3121
#define IDC_OPT_STARTMENU       3122
#define IDC_OPT_MAINTENANCE     3123
#define IDC_OPT_BACKUP          3124
#define IDC_OPT_RESTORE         3125
#define IDC_OPT_LAYOUTGROUP     3130
#define IDC_OPT_GROUPSLABEL     3131
#define IDC_OPT_GROUPS          3132
#define IDC_OPT_GROUPSSPIN      3133
#define IDC_OPT_STYLELABEL      3134
#define IDC_OPT_TABSTYLE        3135
#define IDC_OPT_SPACING         3136 /* never visible: carries ButtonSpacing */
#define IDC_OPT_NAMESGROUP      3137
#define IDC_OPT_ROWNUMBER0      3140 /* + row: the row number of the names grid */
#define IDC_OPT_ROWNAME0        3150 /* + row: the name of the names grid */
#define IDC_OPT_VERSIONGROUP    3160
#define IDC_OPT_VERSIONLABEL    3161
#define IDC_OPT_VERSION         3162
#define IDC_OPT_UPDATELABEL     3163
#define IDC_OPT_UPDATEDATE      3164
#define IDC_OPT_CHECKGROUP      3165
#define IDC_OPT_AUTOCHECK       3166
#define IDC_OPT_INTERVALLABEL   3167
#define IDC_OPT_INTERVAL        3168
#define IDC_OPT_INTERVALSPIN    3169
#define IDC_OPT_LASTCHECKLABEL  3170
#define IDC_OPT_LASTCHECKING    3171
#define IDC_OPT_LASTVERSIONLABEL 3172
#define IDC_OPT_LASTVERSION     3173
#define IDC_OPT_CHECKNOW        3174

/* The two click sounds are named resources of type "WAVE": "ICON" (launch,
   command dialogs) and "TABSHEET" (change of tab sheet). */

#endif /* QUORLET_RESOURCE_H */
