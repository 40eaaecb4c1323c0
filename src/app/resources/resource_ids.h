#pragma once
// Numbers of the program's own resources.

#define IDI_PROGRAM 1
#define IDB_BANNER 200
#define IDB_BANNER_LARGE 201  // the banner drawn at twice its size, for screens above 96 DPI
