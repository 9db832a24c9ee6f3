#include "bitmaps/CellGroups.h"

#include "bitmaps/CellPrimitives.h"
#include "driver/ScenarioConverter.h"

int pasteCellGroups(ScenarioConverter& converter, const CellGroup* groups, std::size_t count,
                    const SourcePicture& source, TemplatePicture& destination, EditionLayout layout) {
    int result = 1;
    for (std::size_t g = 0; g < count; ++g) {
        const CellGroup& group = groups[g];
        if (group.onlyFor && *group.onlyFor != layout) continue;
        const PixelPoint pitch = group.destinationPitch;
        for (std::int32_t r = 0; r < group.rows; ++r) {
            for (std::int32_t c = 0; c < group.columns; ++c) {
                const PixelPoint from = sourceOrigin(group, r, c);
                const PixelRect to{shifted(group.destination, pitch, r, c), group.width, group.height};
                const PixelRect fill{shifted(group.fill, pitch, r, c), group.fillWidth, group.fillHeight};
                result &= fillThenCopyCell(converter, source, destination, fill, from, to);
                if (group.recolours) {
                    const PixelPoint recolour = shifted(group.recolour, pitch, r, c);
                    result &= converter.grayToMagenta(destination, recolour.x, recolour.y, group.width, group.height);
                }
            }
        }
    }
    return result;
}
