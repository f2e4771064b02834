// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services/system_info.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kMajorVersion = 6;
constexpr DWORD kMinorVersion = 2;
constexpr DWORD kBuildNumber = 9200;
constexpr LANGID kEnglishUnitedStates = 0x0409;

struct LocaleLangId {
    std::string_view language;
    std::string_view territory;
    LANGID langId;
};

// Windows language ids of common locales. The first row of each language is
// its main id, used for a territory that is not listed.
constexpr LocaleLangId kLocaleLangIds[] = {
    {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009}, {"en", "NZ", 0x1409},
    {"en", "IE", 0x1809}, {"en", "ZA", 0x1C09}, {"en", "PH", 0x3409}, {"en", "HK", 0x3C09}, {"en", "IN", 0x4009},
    {"en", "MY", 0x4409}, {"en", "SG", 0x4809}, {"zh", "CN", 0x0804}, {"zh", "TW", 0x0404}, {"zh", "HK", 0x0C04},
    {"zh", "SG", 0x1004}, {"zh", "MO", 0x1404}, {"de", "DE", 0x0407}, {"de", "CH", 0x0807}, {"de", "AT", 0x0C07},
    {"de", "LU", 0x1007}, {"de", "LI", 0x1407}, {"fr", "FR", 0x040C}, {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C},
    {"fr", "CH", 0x100C}, {"fr", "LU", 0x140C}, {"fr", "MC", 0x180C}, {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A},
    {"es", "GT", 0x100A}, {"es", "CR", 0x140A}, {"es", "PA", 0x180A}, {"es", "DO", 0x1C0A}, {"es", "VE", 0x200A},
    {"es", "CO", 0x240A}, {"es", "PE", 0x280A}, {"es", "AR", 0x2C0A}, {"es", "EC", 0x300A}, {"es", "CL", 0x340A},
    {"es", "UY", 0x380A}, {"es", "PY", 0x3C0A}, {"es", "BO", 0x400A}, {"es", "US", 0x540A}, {"it", "IT", 0x0410},
    {"it", "CH", 0x0810}, {"pt", "BR", 0x0416}, {"pt", "PT", 0x0816}, {"nl", "NL", 0x0413}, {"nl", "BE", 0x0813},
    {"sv", "SE", 0x041D}, {"sv", "FI", 0x081D}, {"ar", "SA", 0x0401}, {"ar", "IQ", 0x0801}, {"ar", "EG", 0x0C01},
    {"ar", "MA", 0x1801}, {"ar", "AE", 0x3801}, {"ja", "JP", 0x0411}, {"ko", "KR", 0x0412}, {"ru", "RU", 0x0419},
    {"uk", "UA", 0x0422}, {"pl", "PL", 0x0415}, {"cs", "CZ", 0x0405}, {"sk", "SK", 0x041B}, {"hu", "HU", 0x040E},
    {"ro", "RO", 0x0418}, {"bg", "BG", 0x0402}, {"el", "GR", 0x0408}, {"tr", "TR", 0x041F}, {"da", "DK", 0x0406},
    {"nb", "NO", 0x0414}, {"no", "NO", 0x0414}, {"nn", "NO", 0x0814}, {"fi", "FI", 0x040B}, {"he", "IL", 0x040D},
    {"th", "TH", 0x041E}, {"vi", "VN", 0x042A}, {"id", "ID", 0x0421}, {"ms", "MY", 0x043E}, {"hi", "IN", 0x0439},
    {"hr", "HR", 0x041A}, {"sl", "SI", 0x0424}, {"sr", "RS", 0x241A}, {"lt", "LT", 0x0427}, {"lv", "LV", 0x0426},
    {"et", "EE", 0x0425}, {"ca", "ES", 0x0403}, {"eu", "ES", 0x042D}, {"gl", "ES", 0x0456}, {"fa", "IR", 0x0429},
    {"is", "IS", 0x040F}, {"ga", "IE", 0x083C}, {"be", "BY", 0x0423}, {"kk", "KZ", 0x043F}, {"af", "ZA", 0x0436},
    {"sq", "AL", 0x041C}, {"mk", "MK", 0x042F}, {"ka", "GE", 0x0437}, {"hy", "AM", 0x042B}, {"bn", "IN", 0x0445},
    {"ta", "IN", 0x0449}, {"ur", "PK", 0x0420}, {"fil", "PH", 0x0464}, {"sw", "KE", 0x0441},
};

constexpr const char* kSystemLocaleFiles[] = {"/etc/default/locale", "/etc/locale.conf"};
constexpr const char* kProcessLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

constexpr int kNoOverride = -1;
std::atomic<int> g_langIdOverride{kNoOverride};

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<std::string> SystemLocale()
{
    for (const char* file : kSystemLocaleFiles) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            continue;
        }
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (auto lang = LangFromLocaleConfig(text)) {
            return lang;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProcessLocale()
{
    for (const char* variable : kProcessLocaleVariables) {
        if (const char* value = std::getenv(variable); value && *value) {
            return std::string(value);
        }
    }
    return std::nullopt;
}

}  // namespace

DWORD GetVersion() { return kMajorVersion | (kMinorVersion << 8) | (kBuildNumber << 16); }

void SetSystemDefaultLangIdForTesting(std::optional<LANGID> langId)
{
    g_langIdOverride = langId ? static_cast<int>(*langId) : kNoOverride;
}

LANGID GetSystemDefaultLangID()
{
    if (const int chosen = g_langIdOverride; chosen != kNoOverride) {
        return static_cast<LANGID>(chosen);
    }
    if (const auto locale = SystemLocale()) {
        return LangIdFromLocaleName(*locale);
    }
    if (const auto locale = ProcessLocale()) {
        return LangIdFromLocaleName(*locale);
    }
    return kEnglishUnitedStates;
}

LANGID LangIdFromLocaleName(std::string_view locale)
{
    // language[_territory][.codeset][@modifier]
    locale = locale.substr(0, locale.find_first_of(".@"));
    const auto underscore = locale.find('_');
    const std::string_view language = locale.substr(0, underscore);
    const std::string_view territory =
        underscore == std::string_view::npos ? std::string_view() : locale.substr(underscore + 1);
    std::optional<LANGID> main;
    for (const LocaleLangId& row : kLocaleLangIds) {
        if (row.language != language) {
            continue;
        }
        if (row.territory == territory) {
            return row.langId;
        }
        if (!main) {
            main = row.langId;
        }
    }
    return main.value_or(kEnglishUnitedStates);
}

std::optional<std::string> LangFromLocaleConfig(std::string_view text)
{
    constexpr std::string_view kExport = "export ";
    constexpr std::string_view kLang = "LANG=";
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = Trim(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        if (line.starts_with(kExport)) {
            line = Trim(line.substr(kExport.size()));
        }
        if (!line.starts_with(kLang)) {
            continue;
        }
        std::string_view value = Trim(line.substr(kLang.size()));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        if (!value.empty()) {
            return std::string(value);
        }
    }
    return std::nullopt;
}
