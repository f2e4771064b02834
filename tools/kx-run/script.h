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
    StrIniFile,        // path
    StrIniMissing,
    SkinsMissing,
    SkinsBroken,
    SkinFileMissing,   // path below Skins/
    SkinFileBroken,    // path below Skins/
    SkinFilePipe,      // path below Skins/
    NoNotificationArea,
    Start,
    // Actions.
    TrayClick,
    TrayDoubleClick,
    TrayRightClick,
    Choose,            // number = menu entry id, 0 dismisses
    Click,             // x, y
    DoubleClick,
    RightClick,
    Move,
    Hover,             // x, y, number = rest in ms
    Leave,
    KeyPress,          // number = virtual key, extended
    KeyDown,
    KeyUp,
    Type,              // text
    Notify,            // number = code, detail
    Plug,
    Unplug,
    FaultAnswer,       // word = none, no-answer, bad-signature, wrong-report-id
    FaultFeature,      // number = nth call, word = fail or unplug
    FaultCall,         // number = nth call, word = fail or unplug
    FaultEnumeration,
    Wait,              // number = ms
    Show,              // word = what
    Png,               // path = file name
    SecondInstance,
};

struct Step {
    int line = 0;
    std::string text;  // the line as written, without surrounding blanks
    StepKind kind = StepKind::Start;
    std::int64_t number = 0;
    std::int64_t detail = 0;
    int x = 0;
    int y = 0;
    bool extended = false;
    std::string word;
    std::string path;
    std::u16string typed;
};

struct Script {
    std::vector<Step> setup;  // in order, "start" not included
    std::vector<Step> actions;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

std::variant<Script, ScriptError> ParseScript(std::string_view text);

// What "show" can print, in the order the help lists them.
inline constexpr std::string_view kShowItems[] = {
    "record", "applied", "image", "mouse", "config.bin", "str.ini", "wire", "wire reports",
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
