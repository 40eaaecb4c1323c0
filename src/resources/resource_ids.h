#pragma once
// Numbers of the program's own resources.

#define IDI_PROGRAM 1
#define IDB_BANNER 200
