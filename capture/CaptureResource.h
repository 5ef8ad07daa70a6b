#pragma once
// Text ids of the capture subsystem (500-599).

#define IDS_POINTER_AREA_HINT 500
#define IDS_ZERO_SIZE_SELECTION 501
#define IDS_ERROR_NUMBER 502
#define IDS_UNKNOWN_ERROR 503
