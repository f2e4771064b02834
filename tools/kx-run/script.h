// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The runner's script: set-up lines, then "start", then one action per line.
// Parsing is kept apart from running so that every line is checked before the
// program starts, and so that tests can check the language without a desktop.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

enum class StepKind {
    // Set-up, before "start".
    Language,          // number = language id
    MouseAbsent,
    MousePresent,
    MouseMemory,       // path = 322-byte file
    MouseFactory,      // number = DPI table set
    ConfigBinFile,     // path
    ConfigBinMissing,
    ConfigBinFolder,   // a folder in its place: read as nothing, written never
    ConfigBinBytes,    // number = file offset, bytes = what is written there
    StrIniFile,        // path
    StrIniMissing,
    SkinsMissing,
    SkinsBroken,
    SkinFileMissing,   // path below Skins/
    SkinFileBroken,    // path below Skins/
    SkinFilePipe,      // path below Skins/
    NoNotificationArea,
    Scale,             // path = the screen's scale as written: 1, 1.5 or 2
    Start,
    // Actions.
    TrayClick,
    TrayDoubleClick,
    TrayRightClick,
    Choose,            // number = menu entry id, 0 dismisses
    Click,             // x, y
    DoubleClick,
    RightClick,
    Press,             // the left button goes down (and stays down) at x, y
    Release,
    Move,
    Hover,             // x, y, number = rest in ms
    Leave,
    KeyPress,          // number = virtual key, extended
    KeyDown,
    KeyRepeat,         // the held key's next key-down
    KeyUp,
    Type,              // text
    Focus,             // x, y: the control there, or none
    Notify,            // number = code, detail
    Plug,
    Unplug,
    DeviceNotification,  // word = arrival or removal, path = collection (pointer, command, consumer, data)
    FaultAnswer,       // word = none, no-answer, bad-signature, wrong-report-id
    FaultFeature,      // number = nth call, word = fail or unplug
    FaultCall,         // number = nth call, word = fail or unplug
    FaultEnumeration,
    Wait,              // number = ms
    Show,              // word = what
    Png,               // path = file name
    Pixel,             // x, y
    Look,              // x, y to x2, y2
    SecondInstance,
    NotificationAreaAppears,  // a panel that comes late takes the tray icon
};

struct Step {
    int line = 0;
    std::string text;  // the line as written, without surrounding blanks
    StepKind kind = StepKind::Start;
    std::int64_t number = 0;
    std::int64_t detail = 0;
    int x = 0;
    int y = 0;
    int x2 = 0;
    int y2 = 0;
    bool extended = false;
    std::string word;
    std::string path;
    std::u16string typed;
    std::vector<std::uint8_t> bytes;
};

struct Script {
    std::vector<Step> setup;  // in order, "start" not included
    std::vector<Step> actions;
};

// Lines that may come before "start" as well as after it: the faults of the
// mouse and the settings files beside the program.
bool IsFault(StepKind kind);
bool IsSettingsFileChange(StepKind kind);
inline bool IsSetupOrAction(StepKind kind) { return IsFault(kind) || IsSettingsFileChange(kind); }

struct ScriptError {
    int line = 0;
    std::string message;
};

std::variant<Script, ScriptError> ParseScript(std::string_view text);

// What "show" can print, in the order the help lists them.
inline constexpr std::string_view kShowItems[] = {
    "record", "applied", "image", "mouse", "mouse changes", "config.bin", "str.ini", "wire", "wire reports",
    "wire raw", "controls", "tree",
};

// A key by name (case-insensitive: "A", "7", "F5", "Enter", "Esc", "Right Ctrl",
// "Num 5" ...): its virtual key and whether it is an extended key.
struct NamedKey {
    unsigned virtualKey = 0;
    bool extended = false;
};
std::optional<NamedKey> KeyByName(std::string_view name);
// Every key name the runner knows, for the help text.
std::string KeyNameList();
