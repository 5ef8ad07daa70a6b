#pragma once
// Text ids of the documents subsystem (600-699).

#define IDS_SAVE_QUESTION 600
#define IDS_SAVE_ALL_FILES 601
