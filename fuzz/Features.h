// libFuzzer keeps an input when it reaches code it has not seen run, but it
// only sees code built with coverage: ours. libjpeg and Qt's image readers
// come from the system without it, so the picture targets also report what
// those libraries did with an input (header fields, markers parsed, warnings,
// error numbers) as extra counters, which libFuzzer reads as coverage.
#pragma once

#include <cstddef>
#include <cstdint>

namespace features {

enum class Kind : std::uint32_t {
    Outcome = 1,
    Warning,
    Trace,
    Error,
    Field,
};

inline constexpr std::size_t CounterCount = std::size_t{1} << 14;

// libFuzzer finds this section by name and clears it before every input.
__attribute__((used,
               section("__libfuzzer_extra_counters"))) inline std::uint8_t counters[CounterCount];

inline void Note(Kind kind, std::uint64_t value) {
    std::uint64_t h = (static_cast<std::uint64_t>(kind) << 56) ^ value;
    h *= 0x9E3779B97F4A7C15u; // spreads nearby values over the table
    std::uint8_t &counter = counters[(h >> 40) % CounterCount];
    if (counter < 255)
        ++counter;
}

inline void NoteField(std::uint32_t field, std::uint64_t value) {
    Note(Kind::Field, std::uint64_t{field} << 32 | (value & 0xFFFFFFFFu));
}

// Sizes by their order of magnitude: 0, 1, 2-3, 4-7, ...
inline std::uint32_t Magnitude(std::uint64_t value) {
    std::uint32_t bits = 0;
    while (value != 0) {
        ++bits;
        value >>= 1;
    }
    return bits;
}

} // namespace features
