// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's painted elements are called to a screen reader, in
// the words its pictures show (the Chinese pictures in simplified
// characters, the traditional texts written alike and as the program's own
// texts have them).

#include <array>

#include "lang/dialog_texts.h"
#include "lang/language.h"

namespace main_window_names {

inline constexpr LocalizedText kTitle{u"KX-507", u"KX-507", u"KX-507"};
inline constexpr LocalizedText kMinimise{u"Minimise", u"最小化", u"最小化"};
inline constexpr LocalizedText kDefault{u"Default", u"默认", u"預設"};
// Close, Apply and Exit are the dialogs' words.
using dialog_texts::kApply;
using dialog_texts::kClose;
using dialog_texts::kExit;

// The three tabs in their order.
inline constexpr std::array<LocalizedText, 3> kTabs = {{
    {u"Buttons", u"按键", u"按鍵"},
    {u"DPI", u"DPI", u"DPI"},
    {u"Rate · Lighting", u"报告率 · 灯光", u"報告率 · 燈光"},
}};

// A slot box is named by its key set and its button.
inline constexpr std::array<LocalizedText, 2> kKeySets = {{
    {u"Key matrix 1", u"按键组1", u"按鍵群組1"},
    {u"Key matrix 2", u"按键组2", u"按鍵群組2"},
}};
inline constexpr std::array<LocalizedText, 6> kButtons = {{
    {u"Left button", u"左按键", u"左按鍵"},
    {u"Right button", u"右按键", u"右按鍵"},
    {u"Wheel button", u"滚轮按键", u"滾輪按鍵"},
    {u"DPI button", u"DPI按键", u"DPI按鍵"},
    {u"Side button, front", u"侧键（前）", u"側鍵（前）"},
    {u"Side button, rear", u"侧键（后）", u"側鍵（後）"},
}};

inline constexpr std::array<LocalizedText, 4> kStages = {{
    {u"Stage 1", u"第一段", u"第一段"},
    {u"Stage 2", u"第二段", u"第二段"},
    {u"Stage 3", u"第三段", u"第三段"},
    {u"Stage 4", u"第四段", u"第四段"},
}};

// The report-rate ticks in their order (125 Hz first).
inline constexpr std::array<LocalizedText, 4> kRates = {{
    {u"Report rate 125 Hz", u"报告率 125 Hz", u"報告率 125 Hz"},
    {u"Report rate 250 Hz", u"报告率 250 Hz", u"報告率 250 Hz"},
    {u"Report rate 500 Hz", u"报告率 500 Hz", u"報告率 500 Hz"},
    {u"Report rate 1000 Hz", u"报告率 1000 Hz", u"報告率 1000 Hz"},
}};

// The lighting ticks in their order: the effects, then the steady levels.
inline constexpr std::array<LocalizedText, 8> kLighting = {{
    {u"Off", u"关闭", u"關閉"},
    {u"Steady", u"常亮", u"常亮"},
    {u"Breathing · 10", u"呼吸 · 10", u"呼吸 · 10"},
    {u"Breathing · 5", u"呼吸 · 5", u"呼吸 · 5"},
    {u"Breathing · 1", u"呼吸 · 1", u"呼吸 · 1"},
    {u"Steady level 5", u"常亮亮度 5", u"常亮亮度 5"},
    {u"Steady level 3", u"常亮亮度 3", u"常亮亮度 3"},
    {u"Steady level 1", u"常亮亮度 1", u"常亮亮度 1"},
}};

}  // namespace main_window_names
