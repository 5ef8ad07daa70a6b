#pragma once
// Text ids of the capture subsystem (500-599).

#define IDS_POINTER_AREA_HINT 500
#define IDS_ZERO_SIZE_SELECTION 501
#define IDS_ERROR_NUMBER 502
#define IDS_UNKNOWN_ERROR 503

// The status bar's first panel while automatic capture runs.
#define IDS_AUTOMATIC_PROGRESS 510
#define IDS_AUTOMATIC_MINUTES_SECONDS 511
#define IDS_AUTOMATIC_SECONDS 512
