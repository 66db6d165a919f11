#pragma once

// What the dialogs of alarms and paging share: the Help button and the help
// topics of "Viraraz.hlp".
namespace bv::paging {

inline constexpr int kHelpButton = 1212;
inline constexpr int kPagerSetupHelpTopic = 60;
inline constexpr int kPagerEntryHelpTopic = 61;
inline constexpr int kAdvancedHelpTopic = 62;
inline constexpr int kWeatherItemsHelpTopic = 63;
inline constexpr int kPagerAlarmsHelpTopic = 64;

} // namespace bv::paging
