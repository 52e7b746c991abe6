#pragma once
// Small helpers for building and inspecting streams in tests.

#include "platform/core/Stream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline std::string LE32(int32_t v)
{
    uint32_t u = static_cast<uint32_t>(v);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>((u >> 24) & 0xFF)};
}

inline std::string Block(std::string_view bytes) { return LE32(static_cast<int32_t>(bytes.size())) + std::string(bytes); }

inline plat::MemoryStream StreamOf(std::string_view bytes)
{
    return plat::MemoryStream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

inline std::string BytesOf(const plat::MemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }
