#pragma once

#include <functional>

namespace bv::app {

class AutoTaskGate;
class DialogHost;
class Shell;

namespace walkthrough {
inline constexpr int kTextField = 1098;
inline constexpr int kSkip = 1097;
inline constexpr int kMaxTextLength = 299;
} // namespace walkthrough

// The walkthrough: asks whether to go on, then leads through the eight
// settings dialogs (Station Setup, Set Time, Archive, Units, Data, Internet,
// Pager, Schedule), each after a "WALKTHROUGH" step dialog whose OK opens it,
// Skip passes it and Cancel ends everything; at the end it offers to go back
// to the first step. Automatic work is held off until it ends.
// runCommand runs a main-window command as its menu item does.
void runWalkthrough(DialogHost& host, Shell& shell, AutoTaskGate& gate,
                    const std::function<void(int command)>& runCommand);

} // namespace bv::app
