#pragma once
// Resource ids of pinned pictures (the pin range is 800-899).

#define IDR_PIN_MENU 800
#define IDM_PIN_COPY 801
#define IDM_PIN_SAVE_AS 802
#define IDM_PIN_FULL_SIZE 803
#define IDM_PIN_CLOSE 804
#define IDM_PIN_CLOSE_ALL 805
