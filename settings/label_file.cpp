// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/label_file.h"

#include "platform/services/profile.h"

namespace {

// "Item1".."Item8" for key set 1 and "Item13".."Item83" for key set 2.
constexpr std::array<std::array<const char16_t*, kSlotsPerKeySet>, kKeySetCount> kLabelKeys = {{
    {u"Item1", u"Item2", u"Item3", u"Item4", u"Item5", u"Item6", u"Item7", u"Item8"},
    {u"Item13", u"Item23", u"Item33", u"Item43", u"Item53", u"Item63", u"Item73", u"Item83"},
}};

bool WriteLabels(CPrivateProfileFile& file, const std::u16string& section, const SlotLabels& labels)
{
    bool written = true;
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kSlotsPerKeySet; ++slot) {
            written = file.WriteString(section.c_str(), kLabelKeys[keySet][slot], labels[keySet][slot].c_str()) &&
                      written;
        }
    }
    return written;
}

}  // namespace

void LoadLabels(const std::u16string& labelFile, const std::u16string& section, SlotLabels& labels)
{
    const CPrivateProfileFile file(labelFile.c_str());
    std::array<char16_t, kLabelCapacity> buffer{};
    for (std::size_t keySet = 0; keySet < kKeySetCount; ++keySet) {
        for (std::size_t slot = 0; slot < kSlotsPerKeySet; ++slot) {
            const DWORD length = file.GetString(section.c_str(), kLabelKeys[keySet][slot], u"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()));
            labels[keySet][slot].assign(buffer.data(), length);
        }
    }
}

// All sixteen go into the file at once: a failure leaves every old label.
bool SaveLabels(const std::u16string& labelFile, const std::u16string& section, const SlotLabels& labels)
{
    CPrivateProfileFile file(labelFile.c_str());
    const bool written = WriteLabels(file, section, labels);
    return file.Save() && written;
}

std::optional<std::string> LabelFileContentWith(const std::u16string& labelFile, const std::u16string& section,
                                                const SlotLabels& labels)
{
    CPrivateProfileFile file(labelFile.c_str());
    if (!WriteLabels(file, section, labels)) {
        return std::nullopt;
    }
    return file.Content();
}
