#pragma once
// The value types the model modules of both programs are declared in, named as their records type them:
// a 16-bit Integer, a 32-bit Long, a Single and a Double float, an unsigned Byte.

#include <cstdint>

using Single = float;
using Double = double;
using Integer = std::int16_t;
using Long = std::int32_t;
using Byte = std::uint8_t;
