// SPDX-License-Identifier: GPL-3.0-or-later
// The parse routines of the lines that set the scene before the program
// starts: its language and screen scale, the mouse, and the skin folder.

#include "tools/kx-run/script_parsing.h"

#include <algorithm>

namespace scriptparse {

namespace {

// A path of plain names below a folder: no leading slash, no empty, "." or
// ".." part.
bool SafeRelativePath(std::string_view path)
{
    if (path.empty() || path.front() == '/') {
        return false;
    }
    std::size_t at = 0;
    while (at <= path.size()) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        const std::string_view part = path.substr(at, end - at);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        at = end + 1;
    }
    return true;
}

}  // namespace

std::optional<std::string> ParseLanguage(Line& line)
{
    line.step.kind = StepKind::Language;
    if (auto error = Expect(line, 1, "language ID")) {
        return error;
    }
    const auto id = NumberIn(line.args[0], 0, 0xFFFF);
    if (!id) {
        return "a language id is a number from 0 to 65535";
    }
    line.step.number = *id;
    return std::nullopt;
}

std::optional<std::string> ParseScale(Line& line)
{
    line.step.kind = StepKind::Scale;
    if (auto error = Expect(line, 1, "scale 1|1.5|2")) {
        return error;
    }
    if (line.args[0] != "1" && line.args[0] != "1.5" && line.args[0] != "2") {
        return "the screen's scale is 1, 1.5 or 2";
    }
    line.step.path = line.args[0];
    return std::nullopt;
}

std::optional<std::string> ParseMouse(Line& line)
{
    constexpr std::string_view usage = "mouse absent | mouse present | mouse memory FILE | mouse factory [dpi-table N]";
    const auto& args = line.args;
    if (args.size() == 1 && args[0] == "absent") {
        line.step.kind = StepKind::MouseAbsent;
    } else if (args.size() == 1 && args[0] == "present") {
        line.step.kind = StepKind::MousePresent;
    } else if (args.size() == 2 && args[0] == "memory") {
        line.step.kind = StepKind::MouseMemory;
        line.step.path = args[1];
    } else if (args.size() == 1 && args[0] == "factory") {
        line.step.kind = StepKind::MouseFactory;
    } else if (args.size() == 3 && args[0] == "factory" && args[1] == "dpi-table") {
        line.step.kind = StepKind::MouseFactory;
        const auto table = NumberIn(args[2], 0, 255);
        if (!table) {
            return "a DPI table set is a number from 0 to 255";
        }
        line.step.number = *table;
    } else {
        return "expected: " + std::string(usage);
    }
    return std::nullopt;
}

std::optional<std::string> ParseSkins(Line& line)
{
    if (auto error = Expect(line, 1, "skins missing | skins broken")) {
        return error;
    }
    if (line.args[0] == "missing") {
        line.step.kind = StepKind::SkinsMissing;
    } else if (line.args[0] == "broken") {
        line.step.kind = StepKind::SkinsBroken;
    } else {
        return "expected: skins missing | skins broken";
    }
    return std::nullopt;
}

std::optional<std::string> ParseSkinFile(Line& line)
{
    constexpr std::string_view usage = "skin FILE missing | skin FILE broken | skin FILE pipe";
    if (auto error = Expect(line, 2, usage)) {
        return error;
    }
    if (!SafeRelativePath(line.args[0])) {
        return "the skin file is a path below Skins/, such as EN/main.png";
    }
    line.step.path = line.args[0];
    if (line.args[1] == "missing") {
        line.step.kind = StepKind::SkinFileMissing;
    } else if (line.args[1] == "broken") {
        line.step.kind = StepKind::SkinFileBroken;
    } else if (line.args[1] == "pipe") {
        line.step.kind = StepKind::SkinFilePipe;
    } else {
        return "expected: " + std::string(usage);
    }
    return std::nullopt;
}

}  // namespace scriptparse
