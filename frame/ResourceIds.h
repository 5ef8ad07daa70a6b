#pragma once
// Ids every part of the program shares: the icons, the commands of the main
// menu (toolbar buttons send the same ids) and the shared texts. Each
// subsystem keeps its own dialog and text ids in its own header, in its own
// range: app 200-299, settings 300-399, help 400-499, capture 500-599,
// documents 600-699, output 700-799, picture 800-899, editor 900-999.

#define IDI_SNAPORA 1
#define IDI_DOCUMENT 2

#define ID_FILE_NEW 100
#define ID_FILE_OPEN 101
#define ID_FILE_SAVE_AS 102
#define ID_FILE_PAGE_SETUP 103
#define ID_FILE_PRINT 104
#define ID_FILE_PROPERTIES 105
#define ID_FILE_CLOSE_DOCUMENT 106
#define ID_FILE_EXIT 107
#define ID_EDIT_CUT 110
#define ID_EDIT_COPY 111
#define ID_EDIT_PASTE 112
#define ID_EDIT_DELETE 113
#define ID_EDIT_UNDO 114
#define ID_EDIT_REDO 115
#define ID_EDIT_PIN 116
// The notification area's "贴图": the last capture, not the active document.
#define ID_PIN_LAST_CAPTURE 117
#define ID_CAPTURE_ENTIRE_SCREEN 120
#define ID_CAPTURE_WINDOW 121
#define ID_CAPTURE_RECTANGLE 122
#define ID_CAPTURE_POINTER_AREA 123
#define ID_CAPTURE_AUTOMATIC 124
// No menu item: the window key captures the window in front without a pause.
#define ID_CAPTURE_WINDOW_AT_ONCE 125
#define ID_SETTINGS_OPTIONS 130
#define ID_SETTINGS_TOOLBAR 131
#define ID_SETTINGS_STATUS_BAR 132
#define ID_SETTINGS_DRAWING_BAR 133
#define ID_WINDOW_TILE 140
#define ID_WINDOW_CASCADE 141
#define ID_HELP_CONTENTS 150
#define ID_HELP_ABOUT 151

// The program's title: the main window's caption and every message box's.
#define IDS_APP_TITLE 10

// Another program kept the clipboard open: "%1" is that program.
#define IDS_CLIPBOARD_BUSY 11
#define IDS_CLIPBOARD_BUSY_UNNAMED 12
