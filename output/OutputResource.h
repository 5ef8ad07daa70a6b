#pragma once
// Text ids of the output subsystem (700-799).

#define IDS_PAGE_SETUP_TITLE 700
