#pragma once
// The font every assignment dialog but keys recover draws its texts and
// colours its controls with.

#include "platform/windef.h"

class CFont;

// Simplified Chinese systems (language id 2052) get "黑体" when the system
// version is 6.2 (what this desktop reports) and "宋体" on any other, 13
// pixels high; every other language gets Arial, 14
// pixels high. Weight 400, character set 0, variable-width Swiss family.
void CreateDialogFont(CFont& font, LANGID langId, DWORD version);
