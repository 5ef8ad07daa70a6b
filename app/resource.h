#pragma once
// Resource ids of the main window; the shared ids come from the frame.
#include "frame/ResourceIds.h"

#define IDR_MAINMENU 10
#define IDR_NOTIFICATION_MENU 11

// Why the program holds the end of the session up.
#define IDS_UNSAVED_CAPTURES 13

// MDI child windows get ids from here on, far above every command id.
#define IDM_FIRSTCHILD 50000
