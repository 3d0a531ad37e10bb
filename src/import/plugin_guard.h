// Calls into plug-in code: whatever a broken plug-in throws stops at this line and becomes the
// fallback result, so it never unwinds through the import.
#pragma once

#include <utility>

template <class F, class R>
auto Contained(F&& call, R fallback) noexcept -> decltype(call()) {
    try {
        return std::forward<F>(call)();
    } catch (...) {
        return fallback;
    }
}

template <class F>
void Contained(F&& call) noexcept {
    try {
        std::forward<F>(call)();
    } catch (...) {
    }
}
