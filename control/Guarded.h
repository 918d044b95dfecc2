#pragma once

namespace varnholt {

// Runs one step of a handler that must go on whatever a step does: a step that fails is
// abandoned and the caller carries on with the next one.
template <class Step>
void Guarded(Step&& step) noexcept {
    try {
        step();
    } catch (...) {  // NOLINT(bugprone-empty-catch): skipping the failed step is the point
    }
}

}  // namespace varnholt
