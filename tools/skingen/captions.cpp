// SPDX-License-Identifier: GPL-3.0-or-later
#include "captions.h"

namespace skin {
namespace {

Captions English()
{
    Captions c;
    c.product = "KX-507";
    c.tagline = "GAMING MOUSE CONFIGURATION";
    c.tabs[0] = "BUTTONS";
    c.tabs[1] = "DPI";
    c.tabs[2] = "RATE \u00B7 LIGHTING";
    c.pageTitles[0] = "BUTTON ASSIGNMENT";
    c.pageTitles[1] = "SENSITIVITY";
    c.pageTitles[2] = "RATE & LIGHTING";
    c.pageSubtitles[0] = "Two key matrices of six buttons";
    c.pageSubtitles[1] = "Four DPI stages";
    c.pageSubtitles[2] = "USB report rate and LED effect";
    c.applyHint = "Changes reach the mouse when you press Apply.";
    c.webAddress = "www.kx507-gaming.example";
    c.apply = "APPLY";
    c.exit = "EXIT";
    c.defaults = "DEFAULT";
    c.ok = "OK";
    c.back = "BACK";
    c.keySets[0] = "KEY MATRIX 1";
    c.keySets[1] = "KEY MATRIX 2";
    const char* names[6] = {"Left button", "Right button", "Wheel button", "DPI button", "Side button, front",
                            "Side button, rear"};
    for (int i = 0; i < 6; ++i) {
        c.buttonNames[i] = names[i];
    }
    for (int i = 0; i < 4; ++i) {
        c.stages[i] = QString("STAGE %1").arg(i + 1);
    }
    c.dpiUnit = "DPI";
    c.dpiNote = "DPI Switch steps through the stages.";
    c.lighting = "LIGHTING";
    c.effect = "EFFECT";
    c.level = "STEADY LEVEL";
    c.reportRate = "REPORT RATE";
    const char* modes[5] = {"Off", "Steady", "Breathing \u00B7 10", "Breathing \u00B7 5", "Breathing \u00B7 1"};
    for (int i = 0; i < 5; ++i) {
        c.modes[i] = modes[i];
    }
    c.levels[0] = "Level 5";
    c.levels[1] = "Level 3";
    c.levels[2] = "Level 1";
    const char* rates[4] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    const char* intervals[4] = {"8 ms", "4 ms", "2 ms", "1 ms"};
    for (int i = 0; i < 4; ++i) {
        c.rates[i] = rates[i];
        c.intervals[i] = intervals[i];
    }
    c.rateNote = "A higher rate reports the mouse position more often.";
    c.fire = {"FIRE KEY", "Key", {"Repeats the chosen key", "while the button is held."}};
    c.single = {"SINGLE KEY", "", {"The button sends the", "key you press now."}};
    c.hot = {"HOT KEY", "Shortcut", {"A ready-made Ctrl", "shortcut for the button."}};
    c.media = {"MULTIMEDIA", "Function", {"Playback and volume", "control on a button."}};
    c.windows = {"QUICK LAUNCH", "Function", {"Starts an application", "or a browser function."}};
    c.snipe = {"SNIPE KEY", "Snipe DPI", {"Hold the button to aim", "with this DPI."}};
    c.recoverTitle = "RESTORE DEFAULTS";
    c.recoverQuestion = {"Restore the default settings?", "Buttons, DPI stages, report rate",
                         "and lighting return to defaults."};
    return c;
}

Captions Chinese()
{
    Captions c;
    c.product = "KX-507";
    c.tagline = QString::fromUtf8("游戏鼠标设置");
    c.tabs[0] = QString::fromUtf8("按键");
    c.tabs[1] = "DPI";
    c.tabs[2] = QString::fromUtf8("报告率 · 灯光");
    c.pageTitles[0] = QString::fromUtf8("按键设置");
    c.pageTitles[1] = QString::fromUtf8("灵敏度");
    c.pageTitles[2] = QString::fromUtf8("报告率与灯光");
    c.pageSubtitles[0] = QString::fromUtf8("两个按键组，每组六个按键");
    c.pageSubtitles[1] = QString::fromUtf8("四段DPI");
    c.pageSubtitles[2] = QString::fromUtf8("USB报告率与灯光效果");
    c.applyHint = QString::fromUtf8("点击“应用”后，设置才会写入鼠标。");
    c.webAddress = "www.kx507-gaming.example";
    c.apply = QString::fromUtf8("应用");
    c.exit = QString::fromUtf8("退出");
    c.defaults = QString::fromUtf8("默认");
    c.ok = QString::fromUtf8("确定");
    c.back = QString::fromUtf8("返回");
    c.keySets[0] = QString::fromUtf8("按键组1");
    c.keySets[1] = QString::fromUtf8("按键组2");
    const char* names[6] = {"左按键", "右按键", "滚轮按键", "DPI按键", "侧键（前）", "侧键（后）"};
    for (int i = 0; i < 6; ++i) {
        c.buttonNames[i] = QString::fromUtf8(names[i]);
    }
    const char* stages[4] = {"第一段", "第二段", "第三段", "第四段"};
    for (int i = 0; i < 4; ++i) {
        c.stages[i] = QString::fromUtf8(stages[i]);
    }
    c.dpiUnit = "DPI";
    c.dpiNote = QString::fromUtf8("DPI切换键依次切换各段。");
    c.lighting = QString::fromUtf8("灯光");
    c.effect = QString::fromUtf8("效果");
    c.level = QString::fromUtf8("常亮亮度");
    c.reportRate = QString::fromUtf8("报告率");
    const char* modes[5] = {"关闭", "常亮", "呼吸 · 10", "呼吸 · 5", "呼吸 · 1"};
    for (int i = 0; i < 5; ++i) {
        c.modes[i] = QString::fromUtf8(modes[i]);
    }
    c.levels[0] = QString::fromUtf8("亮度 5");
    c.levels[1] = QString::fromUtf8("亮度 3");
    c.levels[2] = QString::fromUtf8("亮度 1");
    const char* rates[4] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    const char* intervals[4] = {"8 ms", "4 ms", "2 ms", "1 ms"};
    for (int i = 0; i < 4; ++i) {
        c.rates[i] = rates[i];
        c.intervals[i] = intervals[i];
    }
    auto u = [](const char* s) { return QString::fromUtf8(s); };
    c.rateNote = u("报告率越高，鼠标位置上报越频繁。");
    c.fire = {u("火力键"), u("按键"), {u("按住按键时，"), u("连续发送所选按键。")}};
    c.single = {u("单键"), "", {u("此按键将发送"), u("您现在按下的键。")}};
    c.hot = {u("快捷键"), u("快捷方式"), {u("预设的Ctrl组合键。")}};
    c.media = {u("多媒体"), u("功能"), {u("播放与音量控制。")}};
    c.windows = {u("快速启动"), u("功能"), {u("启动应用程序"), u("或浏览器功能。")}};
    c.snipe = {u("狙击"), u("狙击DPI"), {u("按住按键时，"), u("以此DPI精确瞄准。")}};
    c.recoverTitle = u("恢复默认");
    c.recoverQuestion = {u("确定恢复默认设置吗？"), u("按键、DPI、报告率和灯光"), u("都将恢复为默认值。")};
    return c;
}

}  // namespace

const Captions& CaptionsFor(Lang lang)
{
    static const Captions en = English();
    static const Captions chs = Chinese();
    return lang == Lang::CHS ? chs : en;
}

}  // namespace skin
