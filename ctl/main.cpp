// SPDX-License-Identifier: GPL-3.0-or-later
// kx-507-ctl: the KX-507's settings on the command line. The subcommands
// work on the program's own config.bin and str.ini (found beside the
// program, as the program finds them) and, for `apply` and
// `show --from-mouse`, on the mouse.

#include <CLI/CLI.hpp>

#include "ctl/commands.h"
#include "ctl/doctor.h"
#include "ctl/exit_status.h"

namespace {

constexpr const char* kExitStatusHelp =
    "Exit status:\n"
    "  0  success (diff: the profile changes nothing)\n"
    "  1  diff: the profile would change something\n"
    "  2  wrong arguments\n"
    "  3  config.bin is missing, not 180 bytes, or holds values no profile can express\n"
    "  4  the profile cannot be read or is not valid; nothing was changed\n"
    "  5  KX-507 is running (import, apply and show --from-mouse refuse)\n"
    "  6  the mouse was not found\n"
    "  7  the mouse did not answer a read or a write\n"
    "  8  a file could not be written; nothing was changed\n";

struct Arguments {
    ShowOptions show;
    int dpiTable = 0;
    std::string language;
    std::string profile;
};

std::optional<Language> LanguageNamed(const std::string& name)
{
    if (name == "en") {
        return Language::English;
    }
    if (name == "chs") {
        return Language::SimplifiedChinese;
    }
    if (name == "cht") {
        return Language::TraditionalChinese;
    }
    return std::nullopt;
}

void AddDpiTable(CLI::App& command, Arguments& arguments)
{
    command.add_option("--dpi-table", arguments.dpiTable,
                       "the mouse's DPI table (0 to 3) the settings files' DPI positions are read in; default 0")
        ->check(CLI::Range(0, 3));
}

void AddShow(CLI::App& app, Arguments& arguments)
{
    CLI::App* show = app.add_subcommand("show", "print every setting in words");
    show->add_flag("--json", arguments.show.json, "print JSON with English keys and values");
    show->add_flag("--from-mouse", arguments.show.fromMouse, "read the mouse instead of the settings files");
    AddDpiTable(*show, arguments);
    show->add_option("--language", arguments.language, "language of the functions' names (default: the system's)")
        ->check(CLI::IsMember({"en", "chs", "cht"}));
}

void AddProfileCommands(CLI::App& app, Arguments& arguments)
{
    CLI::App* exportCommand = app.add_subcommand("export", "write the settings as a TOML profile");
    exportCommand->add_option("FILE", arguments.profile, "the profile to write; - for standard output")->required();
    AddDpiTable(*exportCommand, arguments);
    CLI::App* importCommand = app.add_subcommand("import", "read a profile into config.bin and str.ini");
    importCommand->add_option("FILE", arguments.profile, "the profile to read")->required();
    CLI::App* diff = app.add_subcommand("diff", "print what importing a profile would change");
    diff->add_option("FILE", arguments.profile, "the profile to compare")->required();
    app.add_subcommand("apply", "write the settings files' settings to the mouse, as the window's Apply does");
    app.add_subcommand("doctor", "say why the mouse is not found or may not be opened, and how to fix it");
}

int Run(const CLI::App& app, Arguments& arguments)
{
    if (app.got_subcommand("doctor")) {
        return RunDoctor();  // needs no settings folder: it may be what is wrong
    }
    const SettingsFolder folder = ProgramSettingsFolder();
    const auto dpiTable = static_cast<std::uint8_t>(arguments.dpiTable);
    if (app.got_subcommand("show")) {
        arguments.show.dpiTable = dpiTable;
        arguments.show.language = LanguageNamed(arguments.language);
        return RunShow(folder, arguments.show);
    }
    if (app.got_subcommand("export")) {
        return RunExport(folder, arguments.profile, dpiTable);
    }
    if (app.got_subcommand("import")) {
        return RunImport(folder, arguments.profile);
    }
    if (app.got_subcommand("diff")) {
        return RunDiff(folder, arguments.profile);
    }
    return RunApply(folder);
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Shows, exports, imports and applies the KX-507 mouse's settings.", "kx-507-ctl"};
    app.set_version_flag("--version", std::string("kx-507-ctl ") + KX_VERSION);
    app.footer(kExitStatusHelp);
    app.require_subcommand(1, 1);
    Arguments arguments;
    AddShow(app, arguments);
    AddProfileCommands(app, arguments);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? kExitOk : kExitUsage;
    }
    return Run(app, arguments);
}
