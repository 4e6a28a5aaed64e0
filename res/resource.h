// Resource identifiers of vornish.exe.
#pragma once

#define IDI_APP 1
#define IDI_DRAG 2
#define IDI_DROP 3
#define IDI_UNDROP 4
#define IDI_CENTER 5
#define IDI_LEFT 6
#define IDI_TOP 7
#define IDI_RIGHT 8
#define IDI_BOTTOM 9
#define IDI_ONEPOINT 10
#define IDI_WIN 11
