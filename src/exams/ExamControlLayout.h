#pragma once

// Design geometry of the exam-control window, in twips.
namespace sijill::exams::layout {

inline constexpr int kWindowWidth = 15345;
inline constexpr int kTitleHeight = 450;
inline constexpr int kFrameLeft = 90;
inline constexpr int kFrameTop = 540;
inline constexpr int kFrameWidth = 15060;
inline constexpr int kFolded = 990;
inline constexpr int kOpen = 8160;

inline constexpr int kStripLeft = 300;
inline constexpr int kStripWidth = 12465;
inline constexpr int kStripHeight = 435;
inline constexpr int kStripTops[] = {1740, 2235, 2730, 3225, 3720, 4380, 4912, 5444, 5976, 6510};

// Cells of a first period inside its strip, and of a second period inside
// its panel: left, width.
inline constexpr int kDayLeft = 11160, kDayWidth = 1110;
inline constexpr int kDateLeft = 10005, kDateWidth = 1095;
inline constexpr int kSubjLeft = 8820, kSubjWidth = 1080;
inline constexpr int kTimeLeft = 7680, kTimeWidth = 1035;
inline constexpr int kT1Left = 6465, kT1Width = 1110;
inline constexpr int kT2Left = 5340, kT2Width = 1065;
inline constexpr int kDelLeft = 4980;
inline constexpr int kCellHeight = 390;

inline constexpr int kPeriod2Left = -300, kPeriod2Top = -60;
inline constexpr int kPeriod2Width = 5175, kPeriod2Height = 570;
inline constexpr int kSubj2Left = 3840, kSubj2Width = 1065;
inline constexpr int kTime2Left = 2940, kTime2Width = 810;
inline constexpr int kT12Left = 1800, kT12Width = 1065;
inline constexpr int kT22Left = 660, kT22Width = 1065;
inline constexpr int kDel2Left = 300;
inline constexpr int kCell2Top = 60;

inline constexpr int kNewDayLeft = 10770;

} // namespace sijill::exams::layout
