#pragma once
// Byte-exact checks of an encoder: the expected bytes at one place, every other byte of
// the image exactly as it was (the sentinels beside the field).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/kvx_config.h"

namespace kvx::test {

// An image whose every byte differs from its neighbours, so a stray write shows.
inline TKVXConfig PatternedConfig()
{
    TKVXConfig config;
    for (size_t i = 0; i < TKVXConfig::Size; ++i) config.Bytes()[i] = static_cast<uint8_t>(i * 7 + 3);
    return config;
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> Values)
{
    std::vector<uint8_t> bytes;
    for (int v : Values) bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

inline std::vector<uint8_t> TextBytes(const std::string& Text, size_t Width, uint8_t Pad)
{
    std::vector<uint8_t> bytes(Text.begin(), Text.end());
    bytes.resize(Width, Pad);
    return bytes;
}

struct TWrite {
    size_t Offset;
    std::vector<uint8_t> Bytes;
};

// After holds the writes and nothing else differs from Before.
inline ::testing::AssertionResult OnlyWritten(const TKVXConfig& Before, const TKVXConfig& After,
                                               const std::vector<TWrite>& Writes)
{
    TKVXConfig expected = Before;
    for (const TWrite& w : Writes)
        for (size_t i = 0; i < w.Bytes.size(); ++i) expected.Bytes()[w.Offset + i] = w.Bytes[i];
    for (size_t i = 0; i < TKVXConfig::Size; ++i) {
        if (expected.Bytes()[i] != After.Bytes()[i])
            return ::testing::AssertionFailure() << "byte " << i << " is 0x" << std::hex << int(After.Bytes()[i])
                                                 << ", expected 0x" << int(expected.Bytes()[i]);
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult Unchanged(const TKVXConfig& Before, const TKVXConfig& After)
{
    return OnlyWritten(Before, After, {});
}

} // namespace kvx::test
