/* Resource identifiers of Quorlet.exe, shared by Quorlet.rc and the code. */
#ifndef QUORLET_RESOURCE_H
#define QUORLET_RESOURCE_H

/* Program icon: the window class, the tray icon and the about box load it
   with LoadIcon(hInst, MAKEINTRESOURCE(IDI_MAINICON)). Being the lowest icon
   ID, it is also the icon Explorer shows for the executable. */
#define IDI_MAINICON    1

/* Grey placeholder shown on a button whose icon file cannot be found. */
#define IDI_MISSEDICON  2

/* The two click sounds are named resources of type "WAVE": "ICON" (launch,
   command dialogs) and "TABSHEET" (change of tab sheet). */

#endif /* QUORLET_RESOURCE_H */
