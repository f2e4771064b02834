// SPDX-License-Identifier: GPL-3.0-or-later
// The parse routines of the settings-file, device and picture-check lines.

#include "tools/kx-run/script_parsing.h"

#include <algorithm>
#include <iterator>

namespace scriptparse {

namespace {

// config.bin byte OFFSET VALUE...: bytes written into the file at an offset.
std::optional<std::string> ParseFileBytes(Line& line)
{
    line.step.kind = StepKind::ConfigBinBytes;
    const auto offset = line.args.size() >= 3 ? NumberIn(line.args[1], 0, 179) : std::nullopt;
    if (!offset || line.args.size() - 2 > 180 - static_cast<std::size_t>(*offset)) {
        return "expected: config.bin byte OFFSET VALUE..., inside the file's 180 bytes";
    }
    line.step.number = *offset;
    for (std::size_t i = 2; i < line.args.size(); ++i) {
        const auto value = NumberIn(line.args[i], 0, 255);
        if (!value) {
            return "a byte is a number from 0 to 255";
        }
        line.step.bytes.push_back(static_cast<std::uint8_t>(*value));
    }
    return std::nullopt;
}

}  // namespace

Parse SettingsFile(StepKind fromFile, StepKind missing, std::optional<StepKind> folder, std::string_view usage)
{
    return [=](Line& line) -> std::optional<std::string> {
        if (folder && !line.args.empty() && line.args[0] == "byte") {
            return ParseFileBytes(line);
        }
        if (auto error = Expect(line, 1, usage)) {
            return error;
        }
        line.step.kind = fromFile;
        if (line.args[0] == "missing") {
            line.step.kind = missing;
        } else if (folder && line.args[0] == "folder") {
            line.step.kind = *folder;
        }
        line.step.path = line.args[0];
        return std::nullopt;
    };
}

// Four numbers: a rectangle, left and top inclusive, right and bottom exclusive.
std::optional<std::string> ParseLook(Line& line)
{
    line.step.kind = StepKind::Look;
    if (auto error = Expect(line, 4, "look LEFT TOP RIGHT BOTTOM")) {
        return error;
    }
    std::int64_t values[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto value = NumberIn(line.args[i], 0, 10000);
        if (!value) {
            return "a rectangle is four whole numbers from 0 to 10000";
        }
        values[i] = *value;
    }
    if (values[2] <= values[0] || values[3] <= values[1]) {
        return "the rectangle is empty: right must exceed left and bottom top";
    }
    line.step.x = static_cast<int>(values[0]);
    line.step.y = static_cast<int>(values[1]);
    line.step.x2 = static_cast<int>(values[2]);
    line.step.y2 = static_cast<int>(values[3]);
    return std::nullopt;
}

std::optional<std::string> ParseDevice(Line& line)
{
    constexpr std::string_view usage = "device arrival|removal pointer|command|consumer|data";
    static const std::string_view collections[] = {"pointer", "command", "consumer", "data"};
    line.step.kind = StepKind::DeviceNotification;
    if (line.args.size() != 2 || (line.args[0] != "arrival" && line.args[0] != "removal") ||
        std::find(std::begin(collections), std::end(collections), line.args[1]) == std::end(collections)) {
        return "expected: " + std::string(usage);
    }
    line.step.word = line.args[0];
    line.step.path = line.args[1];
    return std::nullopt;
}

}  // namespace scriptparse
