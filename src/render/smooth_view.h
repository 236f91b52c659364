// The smooth view: one ray per block of a 79 x 79 grid, walked cell by cell through the maze,
// so that any in-between orientation or eye position of an animation can be drawn.
#pragma once

#include <array>

#include "game/game_state.h"
#include "render/canvas.h"
#include "render/view_state.h"

namespace kestrune {

// One colour per block, column by column from the left, each column from the top.
using SmoothPicture = std::array<Colour, kSmoothSide * kSmoothSide>;

constexpr int SmoothBlockIndex(int j, int i) {
    return (j + kSmoothHalf) * kSmoothSide + (i + kSmoothHalf);
}

// A grid that has never been filled holds 0 in its corner; the border is solid otherwise.
inline bool HasSpace(const GameState& state) {
    return state.MazeSpace[0] != 0;
}

// Which ray walk computes the colours. Both give the same picture bit for bit; the vector walk
// casts eight rays at once and needs a processor with AVX2.
enum class SmoothKernel { Automatic, Portable, Vector };

// True when this processor can run SmoothKernel::Vector.
bool VectorKernelAvailable();

// The colour of every block, from PlayerPos, SmoothMatrix and SmoothOffset. A kernel the
// processor lacks falls back to the portable one.
void ComputeSmoothPicture(const GameState& state, const ViewState& view, SmoothPicture& out,
                          SmoothKernel kernel = SmoothKernel::Automatic);

// Paints the blocks in the order they are cast, each outlined in its own colour.
void PaintSmoothPicture(const SmoothPicture& picture, const ViewState& view, ICanvas& canvas);

// One complete picture; draws nothing at all while no space has been built.
void DrawSmooth(const GameState& state, const ViewState& view, ICanvas& canvas);

}  // namespace kestrune
