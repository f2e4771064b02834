// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>

// Colours and fixed geometry of the skin. The rectangles are the client
// rectangles the program draws pictures into and tests clicks against; the
// artwork is laid out around them.
namespace skin {

// Colours the program itself draws with: labels, list and edit text, and the
// list and edit background brush. Everything else is chosen to sit with them.
inline const QColor kText{0, 255, 198};
inline const QColor kListBack{26, 54, 51};

inline const QColor kBackTop{14, 22, 25};
inline const QColor kBackBottom{7, 11, 13};
inline const QColor kPanel{15, 27, 29};
inline const QColor kPanelEdge{36, 68, 64};
inline const QColor kHeading{228, 255, 248};
inline const QColor kMuted{118, 150, 145};
inline const QColor kDim{62, 88, 85};
inline const QColor kAccent = kText;
inline const QColor kAccentDeep{0, 150, 118};
inline const QColor kDanger{255, 84, 96};

// Window and picture sizes.
inline constexpr QSize kMainSize{752, 647};
inline constexpr QSize kDialogSize{400, 300};
inline constexpr QSize kRecoverSize{300, 200};
inline constexpr QSize kWideButton{116, 30};
inline constexpr QSize kSquareButton{31, 31};
inline constexpr QSize kDropdown{128, 29};
inline constexpr int kDropdownArrow = 28;
inline constexpr QSize kTick{16, 27};

// Rectangles as (left, top, right, bottom) with right and bottom exclusive.
inline constexpr QRect Ltrb(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

// Main window.
inline constexpr QRect kApply = Ltrb(471, 572, 587, 602);
inline constexpr QRect kExit = Ltrb(590, 572, 706, 602);
inline constexpr QRect kDefault = Ltrb(352, 572, 468, 602);
inline constexpr QRect kMinimise = Ltrb(688, 4, 719, 35);
inline constexpr QRect kClose = Ltrb(721, 4, 752, 35);
inline constexpr QRect kWebLink = Ltrb(273, 627, 449, 647);
inline constexpr QRect kTabs[3] = {Ltrb(265, 62, 414, 92), Ltrb(428, 62, 577, 92), Ltrb(591, 62, 740, 92)};

// Key page: six slot boxes per key set.
inline constexpr int kSlotTops[6] = {195, 254, 313, 371, 430, 489};
inline constexpr int kSlotLeftX = 78;
inline constexpr int kSlotRightX = 523;

// DPI page: four stage boxes.
inline constexpr int kStageX = 498;
inline constexpr int kStageTops[4] = {153, 263, 373, 489};

// Third page: report-rate ticks (left edges, shared top) and lighting ticks.
inline constexpr int kRateTickX[4] = {126, 246, 366, 476};
inline constexpr int kRateTickY = 434;
inline constexpr QRect kRateTickRect(int i) { return Ltrb(kRateTickX[i], kRateTickY, kRateTickX[i] + 26, kRateTickY + 27); }
inline constexpr QPoint kModeTicks[5] = {{135, 200}, {135, 237}, {135, 274}, {135, 310}, {135, 347}};
inline constexpr QPoint kLevelTicks[3] = {{425, 200}, {425, 237}, {425, 274}};

// Assignment dialogs (400 x 300).
inline constexpr QRect kDlgClose = Ltrb(365, 0, 397, 31);
inline constexpr QRect kDlgSave = Ltrb(153, 256, 269, 286);
inline constexpr QRect kDlgExit = Ltrb(272, 256, 388, 286);
inline constexpr QRect kDlgBox = Ltrb(49, 112, 177, 141);
inline constexpr QRect kFireBox = Ltrb(102, 70, 230, 99);
inline constexpr QRect kFireEdits[3] = {Ltrb(106, 115, 225, 137), Ltrb(106, 154, 225, 176), Ltrb(106, 191, 225, 213)};
inline constexpr QRect kFireLabels[3] = {Ltrb(16, 115, 96, 137), Ltrb(16, 154, 96, 176), Ltrb(16, 191, 96, 213)};
inline constexpr QRect kFireHelp = Ltrb(16, 217, 456, 259);
inline constexpr QRect kSinglePrompt = Ltrb(19, 92, 207, 112);

// Keys-recover dialog (300 x 200).
inline constexpr QRect kRecoverOk = Ltrb(33, 147, 149, 177);
inline constexpr QRect kRecoverReturn = Ltrb(152, 147, 268, 177);
inline constexpr QRect kRecoverClose = Ltrb(265, 0, 297, 31);

}  // namespace skin
