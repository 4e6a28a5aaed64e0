// A second start of the launcher asks the running one to show itself, with a
// message registered for the purpose, and then ends.
#pragma once

#include <windows.h>

namespace vornish::win32 {

// The message a running launcher answers by showing itself (0 if the system
// has none to give).
UINT ShowRequestMessage();

// Posts the request to every top-level window of `className`, allowing its
// process to take the foreground, which a program in the background may not.
void AskToShow(const wchar_t* className);

}  // namespace vornish::win32
