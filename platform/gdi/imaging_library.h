// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up and shut-down of the picture-decoding library, in the shape the
// application object calls them. The desktop's decoder is ready whenever the
// desktop is, so start-up only hands out a token and shut-down takes it back;
// the calls keep the program's order of start and end visible and checkable.

#include <cstdint>

#include "platform/windef.h"

using ULONG_PTR = std::uintptr_t;

struct ImagingStartupInput {
    UINT version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};

enum class ImagingStatus { Ok, InvalidParameter };

ImagingStatus ImagingStartup(ULONG_PTR* token, const ImagingStartupInput* input);
void ImagingShutdown(ULONG_PTR token);

// Tokens handed out and not yet shut down.
int ActiveImagingTokens();
