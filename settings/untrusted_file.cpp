// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/untrusted_file.h"

#include "platform/hid.h"
#include "platform/services/files.h"
#include "platform/services/folder_entries.h"
#include "platform/str_conv.h"

UntrustedRead ReadUntrustedFile(const std::string& path, std::size_t maxBytes)
{
    switch (EntryKindOf(path)) {
    case EntryKind::Missing:
        return {std::nullopt, true, path + ": no such file"};
    case EntryKind::Link:
        return {std::nullopt, false, path + ": a symbolic link; it is not followed"};
    case EntryKind::Regular:
        break;
    default:
        return {std::nullopt, false, path + ": not a regular file"};
    }
    auto text = ReadWholeFileW(Utf8ToUtf16(path).c_str(), maxBytes);
    if (!text) {
        return {std::nullopt, false,
                path + (GetLastError() == ERROR_FILE_TOO_LARGE ? ": larger than " + std::to_string(maxBytes) + " bytes"
                                                               : std::string(": cannot be read"))};
    }
    return {std::move(text), false, {}};
}
