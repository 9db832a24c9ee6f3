#pragma once

#include <string>

#include "rules/RulesLine.h"

// The destination format carries an extra terrain field, "no,", last on the first lines
// of its terrain section; the scenario editions lack it. Within one run, the first lines
// read after a line that is exactly "@TERRAIN" get it, counted or not; a run that starts
// inside that section, or passes over its header, marks nothing.
class TerrainMarking {
public:
    // The piece as it is written (the piece itself, or a marked copy that lasts until the
    // next call). A header line is itself still written under the section before it; the
    // count of lines after the terrain header runs on through a second one. A piece that
    // must keep its fields (`markable` false) takes its turn among those lines unmarked.
    const std::string& written(const std::string& piece, bool markable = true) {
        const bool inTerrainLines = section_ == kTerrainHeader && terrainLinesSeen_ < kTerrainLinesMarked;
        if (inTerrainLines) ++terrainLinesSeen_;
        const bool mark = inTerrainLines && markable;
        if (mark) marked_ = withNoAsLastField(piece);
        if (isSectionHeader(piece)) section_ = piece;
        return mark ? marked_ : piece;
    }

private:
    static constexpr const char* kTerrainHeader = "@TERRAIN\n";
    static constexpr int kTerrainLinesMarked = 11;
    std::string section_ = "@NONE";
    int terrainLinesSeen_ = 0;
    std::string marked_;
};
