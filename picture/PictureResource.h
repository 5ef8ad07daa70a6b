#pragma once
// Text ids of the picture formats (800-899): the names the save dialog's
// type list and the automatic format choice show.

#define IDS_FORMAT_TYPE_BMP 800
#define IDS_FORMAT_TYPE_PNG 801
#define IDS_FORMAT_TYPE_JPEG 802
#define IDS_FORMAT_TYPE_TIFF 803
#define IDS_FORMAT_CHOICE_BMP 820
#define IDS_FORMAT_CHOICE_PNG 821
