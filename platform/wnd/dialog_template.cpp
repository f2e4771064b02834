// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd/dialog_template.h"

#include <algorithm>
#include <vector>

namespace {

// The templates the program has registered, one per id.
std::vector<DialogTemplate>& RegisteredTemplates()
{
    static std::vector<DialogTemplate> templates;
    return templates;
}

}  // namespace

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate)
{
    std::vector<DialogTemplate>& templates = RegisteredTemplates();
    const auto known = std::ranges::find(templates, dialogTemplate.id, &DialogTemplate::id);
    if (known != templates.end()) {
        *known = dialogTemplate;
    } else {
        templates.push_back(dialogTemplate);
    }
}

std::optional<DialogTemplate> FindDialogTemplate(UINT id)
{
    const std::vector<DialogTemplate>& templates = RegisteredTemplates();
    const auto known = std::ranges::find(templates, id, &DialogTemplate::id);
    if (known == templates.end()) {
        return std::nullopt;
    }
    return *known;
}

CSize DialogClientSize(const DialogTemplate& dialogTemplate)
{
    if (dialogTemplate.clientPixels.cx > 0 && dialogTemplate.clientPixels.cy > 0) {
        return dialogTemplate.clientPixels;
    }
    return CSize(dialogTemplate.widthDlu * kPixelsPerDialogUnit, dialogTemplate.heightDlu * kPixelsPerDialogUnit);
}
