// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/imaging_library.h"

#include <set>

namespace {

std::set<ULONG_PTR>& ActiveTokens()
{
    static std::set<ULONG_PTR> tokens;
    return tokens;
}

}  // namespace

ImagingStatus ImagingStartup(ULONG_PTR* token, const ImagingStartupInput* input)
{
    if (token == nullptr || input == nullptr || input->version != 1) {
        return ImagingStatus::InvalidParameter;
    }
    static ULONG_PTR next = 0;
    *token = ++next;
    ActiveTokens().insert(*token);
    return ImagingStatus::Ok;
}

void ImagingShutdown(ULONG_PTR token)
{
    ActiveTokens().erase(token);
}

int ActiveImagingTokens()
{
    return static_cast<int>(ActiveTokens().size());
}
