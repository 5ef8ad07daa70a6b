#pragma once
// Resource ids of the options dialog (the settings range is 300-399).

#define IDD_OPTIONS 300
#define IDC_OPTIONS_TAB 301
// Not IDOK: the dialog has no default button, so Enter in a field must not
// press it.
#define IDC_OPTIONS_OK 302
#define IDC_OPTIONS_AUTOMATIC_PAGE 303
#define IDC_OPTIONS_POINTER_AREA_PAGE 304

#define IDC_OPTIONS_PREFIX_LABEL 310
#define IDC_OPTIONS_PREFIX 311
#define IDC_OPTIONS_INTERVAL_LABEL 312
#define IDC_OPTIONS_INTERVAL 313
#define IDC_OPTIONS_DURATION_LABEL 314
#define IDC_OPTIONS_DURATION 315
#define IDC_OPTIONS_FOLDER_LABEL 316
#define IDC_OPTIONS_FOLDER 317
#define IDC_OPTIONS_AREA_HEIGHT_LABEL 320
#define IDC_OPTIONS_AREA_HEIGHT 321
#define IDC_OPTIONS_AREA_WIDTH_LABEL 322
#define IDC_OPTIONS_AREA_WIDTH 323
#define IDC_OPTIONS_FORMAT_LABEL 324
#define IDC_OPTIONS_FORMAT 325
#define IDC_OPTIONS_RANGE_LABEL 326
#define IDC_OPTIONS_RANGE 327

// The hotkey page: per capture a check box that turns its key on, the
// hotkey field, and the note shown when another program held the key,
// three ids per row in the order of the capture keys' list.
#define IDC_OPTIONS_HOTKEY_PAGE 305
#define IDC_HOTKEY_FIRST_ROW 330
#define IDC_HOTKEY_RECTANGLE_ON 330
#define IDC_HOTKEY_RECTANGLE 331
#define IDC_HOTKEY_RECTANGLE_HELD 332
#define IDC_HOTKEY_ENTIRE_SCREEN_ON 333
#define IDC_HOTKEY_ENTIRE_SCREEN 334
#define IDC_HOTKEY_ENTIRE_SCREEN_HELD 335
#define IDC_HOTKEY_WINDOW_ON 336
#define IDC_HOTKEY_WINDOW 337
#define IDC_HOTKEY_WINDOW_HELD 338
#define IDC_HOTKEY_PIN_ON 339
#define IDC_HOTKEY_PIN 340
#define IDC_HOTKEY_PIN_HELD 341

// The captionless frames behind each tab's fields are windows of the class
// "SnaporaOptionsPage" (spelled out in Settings.rc, which takes no L"").

#define IDS_OPTIONS_AUTOMATIC_TAB 350
#define IDS_OPTIONS_POINTER_AREA_TAB 351
#define IDS_OPTIONS_HOTKEY_TAB 352
#define IDS_HOTKEY_REPEATED 353
#define IDS_HOTKEY_HELD 354
// What entire-screen and automatic capture take, in kScreenRanges' order.
#define IDS_OPTIONS_RANGE_PRIMARY 357
#define IDS_OPTIONS_RANGE_ALL 358
#define IDS_OPTIONS_RANGE_POINTER 359
// The capture keys' rows by name, for the notification area's tooltip.
#define IDS_HOTKEY_NAME_RECTANGLE 360
#define IDS_HOTKEY_NAME_ENTIRE_SCREEN 361
#define IDS_HOTKEY_NAME_WINDOW 362
#define IDS_HOTKEY_NAME_PIN 363
#define IDS_HOTKEY_NONE_ACTIVE 364
// The page for the notification area and the start with Windows.
#define IDS_OPTIONS_GENERAL_TAB 365
#define IDC_OPTIONS_GENERAL_PAGE 306
#define IDC_OPTIONS_NOTIFICATION_ICON 342
#define IDC_OPTIONS_START_WITH_WINDOWS 343
