// The last resort for an exception nothing else handled: a short report in
// %LOCALAPPDATA%\Vornish, a message that says where it is, and the end of the
// process. Nothing is sent anywhere.
#pragma once

namespace vornish::win32 {

// For the whole process, from now on.
void InstallCrashHandler();

}  // namespace vornish::win32
