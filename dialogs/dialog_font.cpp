#include "dialogs/dialog_font.h"

#include "app/lang/language.h"
#include "platform/gdi/font.h"
#include "platform/services/system_info.h"

namespace {

struct FontChoice {
    int height;
    const char16_t* face;
};

constexpr FontChoice kHeiTi{13, u"黑体"};
constexpr FontChoice kSongTi{13, u"宋体"};
constexpr FontChoice kArial{14, u"Arial"};

constexpr BYTE kSwissFamily = FF_SWISS | DEFAULT_PITCH;

}  // namespace

void CreateDialogFont(CFont& font, LANGID langId, DWORD version)
{
    FontChoice choice = kArial;
    if (langId == kLangIdSimplifiedChinese) {
        choice = LOBYTE(version) == 6 && HIBYTE(version) == 2 ? kHeiTi : kSongTi;
    }
    font.CreateFont(choice.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, kSwissFamily, choice.face);
}
