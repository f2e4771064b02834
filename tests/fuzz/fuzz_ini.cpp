// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as an INI file. The document must give back
// the file byte for byte when nothing is changed, read back a value it sets
// (as the labels are set), also after writing and reading the file again,
// and leave the values of every other section as they were.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/services/ini_document.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::u16string_view kSection = u"Setting-EN";
constexpr std::u16string_view kKey = u"Item13";

// Values as labels are written: one line, without surrounding blanks or
// matching quotes, which reading takes away.
constexpr std::u16string_view kValues[] = {u"Left Click", u"単鍵-7", u"", u"a=b;c[d]"};

using Values = std::map<std::pair<std::u16string, std::u16string>, std::u16string>;

// Every value the document gives, section by section, except kSection's.
Values OtherSections(const CIniDocument& document)
{
    Values values;
    for (const std::u16string& section : document.SectionNames()) {
        if (EqualsIgnoringCase(section, kSection)) {
            continue;
        }
        for (const std::u16string& key : document.KeyNames(section)) {
            values[{section, key}] = document.Value(section, key).value_or(u"(none)");
        }
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    CIniDocument document(content);
    Require(document.Content() == content);
    const Values others = OtherSections(document);

    const std::u16string value(kValues[size % std::size(kValues)]);
    document.SetValue(kSection, kKey, value);
    Require(document.Value(kSection, kKey) == value);
    Require(OtherSections(document) == others);

    const CIniDocument reread(document.Content());
    Require(reread.Value(kSection, kKey) == value);
    Require(reread.Content() == document.Content());

    document.RemoveKey(kSection, kKey);
    document.RemoveSection(kSection);
    Require(OtherSections(document) == others);
    return 0;
}
