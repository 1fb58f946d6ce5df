// The program's version, shown by the intro box and written into the version
// resource of both programs, so Explorer's file properties and the program
// agree. Plain macros: the resource compiler reads this file too.
#pragma once

#define OQ_VERSION_MAJOR 1
#define OQ_VERSION_MINOR 13
#define OQ_VERSION_TEXT "1.13"
#define OQ_PRODUCT_NAME "Orv Quillon"
