// A double that may be missing, in the space of one double. A project holds sixteen of them per
// observation and hundreds of thousands of observations, so std::optional's extra word counts.
// "Missing" is one NaN bit pattern no computation makes; any other NaN is a value.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>

namespace vrk {

class OptDouble {
  public:
    constexpr OptDouble() = default;
    constexpr OptDouble(std::nullopt_t) {}
    constexpr OptDouble(double v) : m_bits(std::bit_cast<uint64_t>(v)) {}
    constexpr OptDouble(const std::optional<double>& v)
        : m_bits(v ? std::bit_cast<uint64_t>(*v) : kMissing) {}

    constexpr bool has_value() const { return m_bits != kMissing; }
    constexpr explicit operator bool() const { return has_value(); }
    constexpr double operator*() const { return std::bit_cast<double>(m_bits); }
    constexpr double value_or(double fallback) const { return has_value() ? **this : fallback; }
    constexpr void reset() { m_bits = kMissing; }
    constexpr operator std::optional<double>() const {
        return has_value() ? std::optional<double>(**this) : std::nullopt;
    }

    // Same as std::optional: equal when both are missing or both hold equal values.
    friend constexpr bool operator==(OptDouble a, OptDouble b) {
        return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
    }
    friend constexpr bool operator==(OptDouble a, std::nullopt_t) { return !a.has_value(); }

  private:
    static constexpr uint64_t kMissing = 0x7FF4'0000'0000'0A11ULL;  // a signalling NaN
    uint64_t m_bits = kMissing;
};

}  // namespace vrk
