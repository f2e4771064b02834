// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/picture_file.h"

#include <string>

#include "platform/services/files.h"

std::optional<DecodedPicture> DecodePictureFile(std::u16string_view path)
{
    // Read through the settings files' reader: a regular file or nothing, so
    // that a pipe or device in a picture's place can neither block nor feed
    // the program without end.
    const std::u16string name(path);
    const std::optional<std::string> file = ReadWholeFileW(name.c_str(), kMaxPictureFileBytes);
    if (!file) {
        return std::nullopt;
    }
    return DecodePng({reinterpret_cast<const std::uint8_t*>(file->data()), file->size()});
}
