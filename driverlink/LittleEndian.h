#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The driver and the registry keep every number as little-endian 32-bit words.

template <std::size_t N>
std::array<std::uint8_t, 4 * N> PackWords(const std::array<std::uint32_t, N>& words) {
    std::array<std::uint8_t, 4 * N> bytes{};
    for (std::size_t i = 0; i < 4 * N; ++i) {
        bytes[i] = static_cast<std::uint8_t>(words[i / 4] >> (8 * (i % 4)));
    }
    return bytes;
}

template <std::size_t N>
std::array<std::uint32_t, N> UnpackWords(const std::array<std::uint8_t, 4 * N>& bytes) {
    std::array<std::uint32_t, N> words{};
    for (std::size_t i = 0; i < 4 * N; ++i) {
        words[i / 4] |= static_cast<std::uint32_t>(bytes[i]) << (8 * (i % 4));
    }
    return words;
}
