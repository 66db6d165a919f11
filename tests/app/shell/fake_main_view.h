#pragma once

#include <filesystem>
#include <vector>

#include "app/shell/main_commands.h"

namespace bv::app {

// A main window that records what its commands asked of it.
class FakeMainView : public MainView {
  public:
    bool viewerShown = false;
    std::vector<std::filesystem::path> loads;
    int prints = 0;
    bool closed = false;
    int stateUpdates = 0;

    void setViewerShown(bool shown) override { viewerShown = shown; }
    void loadViewer(const std::filesystem::path& file) override { loads.push_back(file); }
    bool printViewer() override
    {
        ++prints;
        return true;
    }
    void closeMainWindow() override { closed = true; }
    void updateCommandStates() override { ++stateUpdates; }
};

} // namespace bv::app
