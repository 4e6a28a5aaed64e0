// Everything an end-to-end test needs: #include "harness/Harness.h".
#pragma once

#include "harness/Errors.h"
#include "harness/Files.h"
#include "harness/Handles.h"
#include "harness/Input.h"
#include "harness/Launcher.h"
#include "harness/MessageBoxes.h"
#include "harness/OleDrag.h"
#include "harness/Pixels.h"
#include "harness/Process.h"
#include "harness/Registry.h"
#include "harness/RemoteMemory.h"
#include "harness/Tooltips.h"
#include "harness/Wait.h"
#include "harness/WindowQuery.h"
