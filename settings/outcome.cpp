// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/outcome.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

std::u16string Widened(const char* ascii) { return std::u16string(ascii, ascii + std::strlen(ascii)); }

std::u16string WithCode(const char* format, std::uint32_t code)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, static_cast<int>(code));
    return Widened(text.data());
}

}  // namespace

OutcomeMessage MessageOf(const Outcome& outcome, std::u16string_view mouseNotFound)
{
    switch (outcome.failure) {
    case Failure::CollectionOpen:
        return {true, WithCode("CreateFile Error Code:%d", outcome.systemError), {}};
    case Failure::MouseRead:
        return {true, std::u16string(mouseNotFound), u"ReadOperation"};
    case Failure::MouseWrite:
        return {true, std::u16string(mouseNotFound), u"WriteOperation"};
    case Failure::SettingsMissing:
        return {true, u"Config file is not exist.", {}};
    case Failure::SettingsWrite:
        return {true, WithCode("Error Code is: %d \n", outcome.systemError), u"NULL ==fp "};
    case Failure::None:
    case Failure::MouseAbsent:
        break;
    }
    return {};
}
