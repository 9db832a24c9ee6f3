#pragma once

// The program's name and version as the banner and --version print them. The build passes
// the version in from its project version, so that it is written down once.
#ifndef TAVOREL_VERSION
#error "TAVOREL_VERSION is defined by the build"
#endif
inline constexpr char kVersionLine[] = "Tavorel V" TAVOREL_VERSION;
