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

/* The two click sounds are named resources of type "WAVE": "ICON" (launch,
   command dialogs) and "TABSHEET" (change of tab sheet). */

#endif /* QUORLET_RESOURCE_H */
