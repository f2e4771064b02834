// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/kx-run/script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <limits>
#include <map>

#include "tools/kx-run/script_parsing.h"

namespace scriptparse {

// Decimal, or hexadecimal with 0x; an optional minus sign.
std::optional<std::int64_t> Number(std::string_view word)
{
    bool negative = false;
    if (!word.empty() && word.front() == '-') {
        negative = true;
        word.remove_prefix(1);
    }
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (word.empty() || error != std::errc() || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int64_t> NumberIn(std::string_view word, std::int64_t low, std::int64_t high)
{
    const auto value = Number(word);
    return value && *value >= low && *value <= high ? value : std::nullopt;
}

std::optional<std::string> Expect(Line& line, std::size_t count, std::string_view usage)
{
    if (line.args.size() != count) {
        return "expected: " + std::string(usage);
    }
    return std::nullopt;
}

}  // namespace scriptparse

namespace {

using namespace scriptparse;

std::string Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

Parse Plain(StepKind kind, std::string_view usage)
{
    return [kind, usage](Line& line) -> std::optional<std::string> {
        line.step.kind = kind;
        return Expect(line, 0, usage);
    };
}

Parse Point(StepKind kind, std::string_view usage)
{
    return [kind, usage](Line& line) -> std::optional<std::string> {
        line.step.kind = kind;
        const bool hover = kind == StepKind::Hover;
        if (line.args.size() != 2 && !(hover && line.args.size() == 3)) {
            return "expected: " + std::string(usage);
        }
        const auto x = NumberIn(line.args[0], -10000, 10000);
        const auto y = NumberIn(line.args[1], -10000, 10000);
        if (!x || !y) {
            return "coordinates must be whole numbers";
        }
        line.step.x = static_cast<int>(*x);
        line.step.y = static_cast<int>(*y);
        line.step.number = 500;
        if (line.args.size() == 3) {
            const auto rest = NumberIn(line.args[2], 1, 3'600'000);
            if (!rest) {
                return "the rest must be 1 to 3600000 ms";
            }
            line.step.number = *rest;
        }
        return std::nullopt;
    };
}

std::optional<std::string> ParseStart(Line& line)
{
    if (line.args.empty()) {
        line.step.kind = StepKind::Start;
        return std::nullopt;
    }
    line.step.kind = StepKind::SecondInstance;
    if (line.args.size() == 2 && line.args[0] == "second" && line.args[1] == "instance") {
        return std::nullopt;
    }
    return "expected: start | start second instance";
}

std::optional<std::string> ParseTray(Line& line)
{
    static const std::map<std::string, StepKind, std::less<>> kinds = {
        {"click", StepKind::TrayClick},
        {"double-click", StepKind::TrayDoubleClick},
        {"right-click", StepKind::TrayRightClick},
    };
    line.step.kind = StepKind::TrayClick;
    const auto found = line.args.size() == 1 ? kinds.find(line.args[0]) : kinds.end();
    if (found == kinds.end()) {
        return "expected: tray click | tray double-click | tray right-click";
    }
    line.step.kind = found->second;
    return std::nullopt;
}

std::optional<std::string> ParseChoose(Line& line)
{
    line.step.kind = StepKind::Choose;
    if (auto error = Expect(line, 1, "choose ID | choose none")) {
        return error;
    }
    if (line.args[0] == "none") {
        line.step.number = 0;
        return std::nullopt;
    }
    const auto id = NumberIn(line.args[0], 1, 0xFFFF);
    if (!id) {
        return "a menu entry is chosen by its id, 1 to 65535 (or none)";
    }
    line.step.number = *id;
    return std::nullopt;
}

std::optional<std::string> ParseKey(Line& line)
{
    std::string name = line.rest;
    line.step.kind = StepKind::KeyPress;
    for (const auto& [prefix, kind] : {std::pair{"down ", StepKind::KeyDown}, std::pair{"repeat ", StepKind::KeyRepeat},
             std::pair{"up ", StepKind::KeyUp}}) {
        if (name.rfind(prefix, 0) == 0) {
            line.step.kind = kind;
            name = Trim(name.substr(std::string_view(prefix).size()));
        }
    }
    const auto key = KeyByName(name);
    if (!key) {
        return name.empty() ? "expected: key NAME | key down NAME | key repeat NAME | key up NAME"
                            : "unknown key \"" + name + "\"";
    }
    line.step.word = name;
    line.step.number = key->virtualKey;
    line.step.extended = key->extended;
    return std::nullopt;
}

std::optional<std::string> ParseType(Line& line)
{
    line.step.kind = StepKind::Type;
    if (auto error = Expect(line, 1, "type DIGITS")) {
        return error;
    }
    for (char c : line.args[0]) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return "type takes digits (and letters) only";
        }
        line.step.typed.push_back(static_cast<char16_t>(c));
    }
    return std::nullopt;
}

std::optional<std::string> ParseNotify(Line& line)
{
    line.step.kind = StepKind::Notify;
    if (line.args.empty() || line.args.size() > 2) {
        return "expected: notify CODE [DETAIL]";
    }
    const auto code = NumberIn(line.args[0], 0, std::numeric_limits<std::uint32_t>::max());
    const auto detail = line.args.size() == 2
        ? NumberIn(line.args[1], std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())
        : std::optional<std::int64_t>(0);
    if (!code || !detail) {
        return "the code is a number from 0 to 4294967295, the detail a 32-bit signed number";
    }
    line.step.number = *code;
    line.step.detail = *detail;
    return std::nullopt;
}

std::optional<std::string> ParseFault(Line& line)
{
    constexpr std::string_view usage =
        "fault answer none|no-answer|bad-signature|wrong-report-id | fault feature N fail|unplug"
        " | fault call N fail|unplug | fault enumeration";
    const auto& args = line.args;
    line.step.kind = StepKind::FaultAnswer;
    if (args.size() == 2 && args[0] == "answer") {
        static const std::string_view answers[] = {"none", "no-answer", "bad-signature", "wrong-report-id"};
        if (std::find(std::begin(answers), std::end(answers), args[1]) == std::end(answers)) {
            return "expected: " + std::string(usage);
        }
        line.step.word = args[1];
        return std::nullopt;
    }
    if (args.size() == 1 && args[0] == "enumeration") {
        line.step.kind = StepKind::FaultEnumeration;
        return std::nullopt;
    }
    if (args.size() == 3 && (args[0] == "feature" || args[0] == "call")) {
        line.step.kind = args[0] == "feature" ? StepKind::FaultFeature : StepKind::FaultCall;
        const auto nth = NumberIn(args[1], 1, 100000);
        if (!nth || (args[2] != "fail" && args[2] != "unplug")) {
            return "expected: fault " + args[0] + " N fail|unplug, N counting from 1";
        }
        line.step.number = *nth;
        line.step.word = args[2];
        return std::nullopt;
    }
    return "expected: " + std::string(usage);
}

std::optional<std::string> ParseWait(Line& line)
{
    line.step.kind = StepKind::Wait;
    if (auto error = Expect(line, 1, "wait MS")) {
        return error;
    }
    const auto ms = NumberIn(line.args[0], 0, 3'600'000);
    if (!ms) {
        return "wait takes 0 to 3600000 ms";
    }
    line.step.number = *ms;
    return std::nullopt;
}

std::optional<std::string> ParseShow(Line& line)
{
    line.step.kind = StepKind::Show;
    const auto known = std::find(std::begin(kShowItems), std::end(kShowItems), line.rest);
    if (known == std::end(kShowItems)) {
        std::string list;
        for (std::string_view item : kShowItems) {
            list += (list.empty() ? "" : ", ") + std::string(item);
        }
        return "show takes one of: " + list;
    }
    line.step.word = line.rest;
    return std::nullopt;
}

std::optional<std::string> ParsePng(Line& line)
{
    line.step.kind = StepKind::Png;
    if (auto error = Expect(line, 1, "png NAME.png")) {
        return error;
    }
    const std::string& name = line.args[0];
    if (name.find('/') != std::string::npos || name.size() < 5 || name.substr(name.size() - 4) != ".png" ||
        name.front() == '.') {
        return "png takes a file name ending in .png, without folders";
    }
    line.step.path = name;
    return std::nullopt;
}

const std::map<std::string, Parse, std::less<>>& Parsers()
{
    static const std::map<std::string, Parse, std::less<>> parsers = {
        {"language", ParseLanguage},
        {"scale", ParseScale},
        {"mouse", ParseMouse},
        {"config.bin", SettingsFile(StepKind::ConfigBinFile, StepKind::ConfigBinMissing, StepKind::ConfigBinFolder,
                           "config.bin FILE|missing|folder | config.bin byte OFFSET VALUE...")},
        {"str.ini", SettingsFile(StepKind::StrIniFile, StepKind::StrIniMissing, std::nullopt, "str.ini FILE|missing")},
        {"skins", ParseSkins},
        {"skin", ParseSkinFile},
        {"notification-area", [](Line& line) -> std::optional<std::string> {
             const bool appears = line.args.size() == 1 && line.args[0] == "appears";
             line.step.kind = appears ? StepKind::NotificationAreaAppears : StepKind::NoNotificationArea;
             if (!appears && (line.args.size() != 1 || line.args[0] != "absent")) {
                 return "expected: notification-area absent | notification-area appears";
             }
             return std::nullopt;
         }},
        {"start", ParseStart},
        {"tray", ParseTray},
        {"choose", ParseChoose},
        {"click", Point(StepKind::Click, "click X Y")},
        {"double-click", Point(StepKind::DoubleClick, "double-click X Y")},
        {"right-click", Point(StepKind::RightClick, "right-click X Y")},
        {"press", Point(StepKind::Press, "press X Y")},
        {"release", Point(StepKind::Release, "release X Y")},
        {"move", Point(StepKind::Move, "move X Y")},
        {"hover", Point(StepKind::Hover, "hover X Y [MS]")},
        {"leave", Plain(StepKind::Leave, "leave")},
        {"key", ParseKey},
        {"type", ParseType},
        {"focus", Point(StepKind::Focus, "focus X Y")},
        {"notify", ParseNotify},
        {"plug", Plain(StepKind::Plug, "plug")},
        {"device", ParseDevice},
        {"pixel", Point(StepKind::Pixel, "pixel X Y")},
        {"look", ParseLook},
        {"unplug", Plain(StepKind::Unplug, "unplug")},
        {"fault", ParseFault},
        {"wait", ParseWait},
        {"show", ParseShow},
        {"png", ParsePng},
    };
    return parsers;
}

bool IsSetup(StepKind kind) { return kind < StepKind::Start; }

}  // namespace

bool IsFault(StepKind kind)
{
    return kind == StepKind::FaultAnswer || kind == StepKind::FaultFeature || kind == StepKind::FaultCall ||
           kind == StepKind::FaultEnumeration;
}

bool IsSettingsFileChange(StepKind kind)
{
    return kind == StepKind::ConfigBinFile || kind == StepKind::ConfigBinMissing ||
           kind == StepKind::ConfigBinFolder || kind == StepKind::ConfigBinBytes || kind == StepKind::StrIniFile ||
           kind == StepKind::StrIniMissing;
}

std::variant<Script, ScriptError> ParseScript(std::string_view text)
{
    Script script;
    bool started = false;
    int number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string content = Trim(text.substr(at, end - at));
        at = end + 1;
        ++number;
        if (content.empty() || content.front() == '#') {
            continue;
        }
        const std::vector<std::string> words = Words(content);
        const auto parser = Parsers().find(words.front());
        if (parser == Parsers().end()) {
            return ScriptError{number, "unknown line \"" + words.front() + "\""};
        }
        Step step;
        step.line = number;
        step.text = content;
        const std::vector<std::string> args(words.begin() + 1, words.end());
        Line line{step, args, Trim(std::string_view(content).substr(words.front().size()))};
        if (auto error = parser->second(line)) {
            return ScriptError{number, *error};
        }
        if (step.kind == StepKind::Start) {
            if (started) {
                return ScriptError{number, "the program is already started"};
            }
            started = true;
        } else if (IsSetupOrAction(step.kind)) {
            (started ? script.actions : script.setup).push_back(std::move(step));
        } else if (IsSetup(step.kind) && started) {
            return ScriptError{number, "set-up lines come before start"};
        } else if (!IsSetup(step.kind) && !started) {
            return ScriptError{number, "actions come after start"};
        } else {
            (started ? script.actions : script.setup).push_back(std::move(step));
        }
    }
    if (!started) {
        return ScriptError{number, "the script has no start line"};
    }
    return script;
}
