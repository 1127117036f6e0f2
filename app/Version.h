#pragma once

#include <QString>

#include <cstdint>

// The program's version text, as set once in the build.
QString VersionText();

// A fixed version record's two 32-bit halves as "major.minor.release.build": major and minor are
// the high and low 16 bits of the most significant half, release and build those of the least.
QString FormatFixedVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant);
