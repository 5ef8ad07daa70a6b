#pragma once
// Resource ids of the capture modes (the capture range is 500-599).

// The status bar's first panel while automatic capture runs.
#define IDS_AUTOMATIC_PROGRESS 500
#define IDS_AUTOMATIC_MINUTES_SECONDS 501
#define IDS_AUTOMATIC_SECONDS 502
