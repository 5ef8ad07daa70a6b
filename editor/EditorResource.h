#pragma once
// Ids of the editor (800-899). The commands of the tools, colours, widths
// and text sizes are the first id of their range plus the row's place in
// its list; each command's tooltip is the text with its id, and each tool's
// menu name the text at IDS_DRAW_TOOL_NAME + its place.

#define ID_DRAW_TOOL_FIRST 800       // 800-819: the tools, in the order of the tool list
#define ID_DRAW_COLOUR_FIRST 820     // 820-829: the preset colours
#define ID_DRAW_OTHER_COLOUR 830     // "其他颜色…"
#define ID_DRAW_WIDTH_FIRST 831      // 831-839: the line widths
#define ID_DRAW_SIZE_FIRST 840       // 840-849: the text sizes
#define ID_DRAW_COLOUR_MENU 850      // the bar's drop-down buttons
#define ID_DRAW_WIDTH_MENU 851
#define ID_DRAW_SIZE_MENU 852
#define ID_DRAW_LAST 859

#define IDS_DRAW_TOOL_NAME 860       // 860-879: the tools' names in the menu
#define IDS_DRAW_MENU 880            // "绘图工具"
#define IDS_DRAW_COLOURS 881
#define IDS_DRAW_WIDTHS 882
#define IDS_DRAW_SIZES 883
#define IDS_DRAW_WIDTH_ITEM 884      // "%1 像素"
#define IDS_DRAW_SIZE_ITEM 885
#define IDS_DRAW_COLOUR_NAME 886     // 886-895: the preset colours' names
#define IDS_UNDO_DROPPED 896

#define IDB_DRAWING_BAR 897
