// Resource identifiers of vornish.exe.
#pragma once

#define IDI_APP 1
#define IDI_DRAG 2
#define IDI_DROP 3
#define IDI_UNDROP 4
