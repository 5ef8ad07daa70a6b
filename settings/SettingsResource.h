#pragma once
// Resource ids of the options dialog (the settings range is 300-399).

#define IDD_OPTIONS 300
#define IDC_OPTIONS_TAB 301
// Not IDOK: the dialog has no default button, so Enter in a field must not
// press it.
#define IDC_OPTIONS_OK 302
#define IDC_OPTIONS_PAGE1 303
#define IDC_OPTIONS_PAGE2 304

#define IDC_OPTIONS_LBLNAME 310
#define IDC_OPTIONS_TXTNAME 311
#define IDC_OPTIONS_LBLSPACE 312
#define IDC_OPTIONS_TXTSPACE 313
#define IDC_OPTIONS_LBLPERSIST 314
#define IDC_OPTIONS_TXTPERSIST 315
#define IDC_OPTIONS_LBLDIR 316
#define IDC_OPTIONS_TXTDIR 317
#define IDC_OPTIONS_LBLHEIGH 320
#define IDC_OPTIONS_TXTHEIGH 321
#define IDC_OPTIONS_LBLWIDTH 322
#define IDC_OPTIONS_TXTWIDTH 323

// The captionless frames behind each tab's fields are windows of the class
// "SnaporaOptionsPage" (spelled out in Settings.rc, which takes no L"").
