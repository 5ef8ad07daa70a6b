#pragma once
// Ids of the editor (900-999). The commands of the tools, colours, widths
// and text sizes are the first id of their range plus the row's place in
// its list; each command's tooltip is the text with its id, and each tool's
// menu name the text at IDS_DRAW_TOOL_NAME + its place.

#define ID_DRAW_TOOL_FIRST 900       // 900-919: the tools, in the order of the tool list
#define ID_DRAW_COLOUR_FIRST 920     // 920-929: the preset colours
#define ID_DRAW_OTHER_COLOUR 930     // "其他颜色…"
#define ID_DRAW_WIDTH_FIRST 931      // 931-939: the line widths
#define ID_DRAW_SIZE_FIRST 940       // 940-949: the text sizes
#define ID_DRAW_COLOUR_MENU 950      // the bar's drop-down buttons
#define ID_DRAW_WIDTH_MENU 951
#define ID_DRAW_SIZE_MENU 952
#define ID_DRAW_LAST 959

#define IDS_DRAW_TOOL_NAME 960       // 960-979: the tools' names in the menu
#define IDS_DRAW_MENU 980            // "绘图工具"
#define IDS_DRAW_COLOURS 981
#define IDS_DRAW_WIDTHS 982
#define IDS_DRAW_SIZES 983
#define IDS_DRAW_WIDTH_ITEM 984      // "%1 像素"
#define IDS_DRAW_SIZE_ITEM 985
#define IDS_DRAW_COLOUR_NAME 986     // 986-995: the preset colours' names
#define IDS_UNDO_DROPPED 996

#define IDB_DRAWING_BAR 997
