#pragma once

#include <utility>

namespace bv::app {

// Runs a function when the scope ends, also by an exception: state that must
// be put back (the automatic-task gate, the list of open dialogs) is put back.
template <class F> class ScopeExit {
  public:
    explicit ScopeExit(F fn) : fn_(std::move(fn)) {}
    ~ScopeExit() { fn_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F fn_;
};

} // namespace bv::app
