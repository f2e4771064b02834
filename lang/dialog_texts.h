// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the assignment dialogs are called to a screen reader, in the words
// their pictures show (the Chinese pictures in simplified characters, the
// traditional texts written alike): the titles, the boxes' captions and the
// buttons.

#include "lang/language.h"

namespace dialog_texts {

inline constexpr LocalizedText kFireKeyTitle{u"Fire Key", u"火力键", u"火力鍵"};
inline constexpr LocalizedText kSingleKeyTitle{u"Single Key", u"单键", u"單鍵"};
inline constexpr LocalizedText kHotKeyTitle{u"Hot Key", u"快捷键", u"快速鍵"};
inline constexpr LocalizedText kMultimediaTitle{u"Multimedia", u"多媒体", u"多媒體"};
inline constexpr LocalizedText kQuickLaunchTitle{u"Quick Launch", u"快速启动", u"快速啟動"};
inline constexpr LocalizedText kSnipeKeyTitle{u"Snipe Key", u"狙击", u"狙擊"};
inline constexpr LocalizedText kRestoreDefaultsTitle{u"Restore Defaults", u"恢复默认", u"恢復默認"};

inline constexpr LocalizedText kKeyBox{u"Key", u"按键", u"按鍵"};
inline constexpr LocalizedText kShortcutBox{u"Shortcut", u"快捷方式", u"快捷方式"};
inline constexpr LocalizedText kFunctionBox{u"Function", u"功能", u"功能"};
inline constexpr LocalizedText kSnipeDpiBox{u"Snipe DPI", u"狙击DPI", u"狙擊DPI"};

inline constexpr LocalizedText kApply{u"Apply", u"应用", u"應用"};
inline constexpr LocalizedText kExit{u"Exit", u"退出", u"退出"};
inline constexpr LocalizedText kOk{u"OK", u"确定", u"確定"};
inline constexpr LocalizedText kBack{u"Back", u"返回", u"返回"};
inline constexpr LocalizedText kClose{u"Close", u"关闭", u"關閉"};

}  // namespace dialog_texts
