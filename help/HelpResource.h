#pragma once
// Resource ids of the help subsystem (400-499).

#define IDD_ABOUT 400
#define IDC_ABOUT_ICON 401
#define IDC_ABOUT_TITLE 402
#define IDC_ABOUT_VERSION 403
#define IDC_ABOUT_DESCRIPTION 404
#define IDC_ABOUT_DISCLAIMER 405
#define IDC_ABOUT_SYSINFO 406
