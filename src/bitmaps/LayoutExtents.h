#pragma once

#include "bitmaps/PictureExtent.h"

// The pixels each layout touches, picture by picture. The layouts assert at compile time
// that their cell groups reach exactly these bounds; the driver refuses a picture that
// is narrower, wider or shorter.
//                                                              columns      rows
inline constexpr PictureExtent kUnitsSourceExtent{kWidePictureWidth, {1, 584, 1, 342}};
inline constexpr PictureExtent kUnitsDestinationExtent{kWidePictureWidth, {1, 584, 1, 454}};
inline constexpr PictureExtent kCitiesExtent{kWidePictureWidth, {1, 592, 39, 470}};
inline constexpr PictureExtent kTerrain1Extent{kWidePictureWidth, {1, 638, 1, 478}};
inline constexpr PictureExtent kTerrain2Extent{kWidePictureWidth, {1, 527, 1, 478}};
inline constexpr PictureExtent kPeopleSourceExtent{kWidePictureWidth, {2, 308, 6, 162}};
inline constexpr PictureExtent kPeopleDestinationExtent{kWidePictureWidth, {3, 309, 5, 161}};
inline constexpr PictureExtent kIconsSourceExtent{kWidePictureWidth, {344, 635, 1, 292}};
inline constexpr PictureExtent kIconsDestinationExtent{kWidePictureWidth, {344, 636, 2, 292}};
inline constexpr PictureExtent kImprovementsExtent{kNarrowPictureWidth, {19, 563, 12, 357}};
