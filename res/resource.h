// Resource identifiers of vornish.exe.
#pragma once

#define IDI_APP 1
