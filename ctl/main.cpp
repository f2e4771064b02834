// SPDX-License-Identifier: GPL-3.0-or-later
// kx-507-ctl: the KX-507's settings on the command line. The subcommands
// work on the program's own config.bin and str.ini (found beside the
// program, as the program finds them) and, for `apply` and
// `show --from-mouse`, on the mouse.

#include <CLI/CLI.hpp>

#include <functional>

#include "ctl/commands.h"
#include "ctl/doctor.h"
#include "ctl/dpi_table_source.h"
#include "ctl/exit_status.h"
#include "ctl/profile_commands.h"
#include "ctl/rules_commands.h"

namespace {

constexpr const char* kExitStatusHelp =
    "Exit status:\n"
    "  0  success (diff: the profile changes nothing)\n"
    "  1  diff: the profile would change something\n"
    "  2  wrong arguments\n"
    "  3  config.bin is missing, not 180 bytes, or holds values no profile can express\n"
    "  4  the profile cannot be read or is not valid, or is not in the library (rules check: the rules\n"
    "     or a profile they name are not valid); nothing was changed\n"
    "  5  KX-507 is running (import, apply, profile use and show --from-mouse refuse)\n"
    "  6  the mouse was not found\n"
    "  7  the mouse did not answer a read or a write\n"
    "  8  a file could not be written; nothing was changed\n";

struct Arguments {
    ShowOptions show;
    int dpiTable = 0;
    bool dpiTableGiven = false;
    std::string language;
    std::string profile;
    std::string name;  // a profile of the library
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
    command.add_option_function<int>(
               "--dpi-table",
               [&arguments](const int& table) {
                   arguments.dpiTable = table;
                   arguments.dpiTableGiven = true;
               },
               "the mouse's DPI table (0 to 3) the settings files' DPI positions are read in; default: the "
               "mouse's, else the one last read from it, else 0")
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

void AddLibraryCommands(CLI::App& app, Arguments& arguments)
{
    CLI::App* profile = app.add_subcommand("profile", "the profile library (NAME.toml in ~/.config/kx-507/profiles)");
    profile->require_subcommand(1, 1);
    profile->add_subcommand("list", "print the library's profile names");
    CLI::App* save = profile->add_subcommand("save", "export the settings into the library as NAME");
    save->add_option("NAME", arguments.name, "the profile's name")->required();
    AddDpiTable(*save, arguments);
    CLI::App* use = profile->add_subcommand("use", "import profile NAME and apply it to the mouse");
    use->add_option("NAME", arguments.name, "the profile's name")->required();
    CLI::App* remove = profile->add_subcommand("remove", "remove profile NAME from the library");
    remove->add_option("NAME", arguments.name, "the profile's name")->required();
    CLI::App* show = profile->add_subcommand("show", "print profile NAME's settings in words");
    show->add_option("NAME", arguments.name, "the profile's name")->required();
    show->add_flag("--json", arguments.show.json, "print JSON with English keys and values");
    show->add_option("--language", arguments.language, "language of the functions' names (default: the system's)")
        ->check(CLI::IsMember({"en", "chs", "cht"}));
}

void AddRulesCommands(CLI::App& app)
{
    CLI::App* rules = app.add_subcommand("rules", "the rules that pick a profile by running game");
    rules->require_subcommand(1, 1);
    rules->add_subcommand("check", "validate ~/.config/kx-507/rules.toml and the profiles it names");
}

int RunLibrary(const CLI::App& profile, const SettingsFolder& folder, Arguments& arguments,
               const std::function<std::uint8_t()>& dpiTable)
{
    if (profile.got_subcommand("list")) {
        return RunProfileList();
    }
    if (profile.got_subcommand("save")) {
        return RunProfileSave(folder, arguments.name, dpiTable());
    }
    if (profile.got_subcommand("use")) {
        return RunProfileUse(folder, arguments.name);
    }
    if (profile.got_subcommand("remove")) {
        return RunProfileRemove(arguments.name);
    }
    arguments.show.language = LanguageNamed(arguments.language);
    return RunProfileShow(folder, arguments.name, arguments.show);
}

int Run(const CLI::App& app, Arguments& arguments)
{
    if (app.got_subcommand("doctor")) {
        return RunDoctor();  // needs no settings folder: it may be what is wrong
    }
    const SettingsFolder folder = ProgramSettingsFolder();
    // An explicit --dpi-table wins; otherwise the table is found out, and
    // only where the settings files' DPI positions are read.
    const auto dpiTable = [&] {
        return arguments.dpiTableGiven ? static_cast<std::uint8_t>(arguments.dpiTable) : KnownDpiTable();
    };
    if (app.got_subcommand("show")) {
        if (!arguments.show.fromMouse) {
            arguments.show.dpiTable = dpiTable();
        }
        arguments.show.language = LanguageNamed(arguments.language);
        return RunShow(folder, arguments.show);
    }
    if (app.got_subcommand("export")) {
        return RunExport(folder, arguments.profile, dpiTable());
    }
    if (app.got_subcommand("import")) {
        return RunImport(folder, arguments.profile);
    }
    if (app.got_subcommand("rules")) {
        return RunRulesCheck();
    }
    if (app.got_subcommand("profile")) {
        return RunLibrary(*app.get_subcommand("profile"), folder, arguments, dpiTable);
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
    AddLibraryCommands(app, arguments);
    AddRulesCommands(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? kExitOk : kExitUsage;
    }
    return Run(app, arguments);
}
