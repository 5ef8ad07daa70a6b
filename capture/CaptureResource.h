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

// The command line (540-569): its usage, the reason each command ends with,
// and why an argument was refused.
#define IDS_COMMAND_USAGE 540
#define IDS_COMMAND_CAPTURE_FAILED 541
#define IDS_COMMAND_BAD_ARGUMENT 542
#define IDS_COMMAND_CANNOT_WRITE 543
#define IDS_COMMAND_OUTSIDE_DESKTOP 544
#define IDS_COMMAND_CANCELLED 545
#define IDS_COMMAND_BUSY 546
#define IDS_COMMAND_NO_ANSWER 547
#define IDS_ARGUMENT_UNKNOWN 550
#define IDS_ARGUMENT_MISSING_VALUE 551
#define IDS_ARGUMENT_BAD_VALUE 552
#define IDS_ARGUMENT_SECOND_CAPTURE 553
#define IDS_ARGUMENT_REPEATED 554
#define IDS_ARGUMENT_NO_CAPTURE 555
