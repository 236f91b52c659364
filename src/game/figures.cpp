#include "game/figures.h"

#include "game/maze.h"

namespace kestrune {

namespace {

// The ball: centre (11, 11, 11, 11) on the used axes, squared radius 25, boundary open.
constexpr int kBallCentre = 11;
constexpr int kBallRadiusSquared = 25;

int Squared(int c) {
    return (kBallCentre - c) * (kBallCentre - c);
}

// Every interior cell wall except the plane z = w = 4 (2 dimensions) or the slice w = 4
// (3 dimensions), whose cells are open or, with ball, wall inside the ball.
void FillPlaneOrSlice(GameState& state, bool ball) {
    FillInterior(state.MazeSpace, CellWall);
    const int zMax = state.DimIndex == 1 ? kInteriorMin : kInteriorMax;
    for (int z = kInteriorMin; z <= zMax; ++z)
        for (int y = kInteriorMin; y <= kInteriorMax; ++y)
            for (int x = kInteriorMin; x <= kInteriorMax; ++x) {
                const int distance =
                    Squared(x) + Squared(y) + (state.DimIndex == 1 ? 0 : Squared(z));
                const bool solid = ball && distance < kBallRadiusSquared;
                state.MazeSpace[CellIndex(x, y, z, kInteriorMin)] = solid ? CellWall : CellOpen;
            }
}

void FillBall4(GameState& state) {
    for (int w = kInteriorMin; w <= kInteriorMax; ++w)
        for (int z = kInteriorMin; z <= kInteriorMax; ++z)
            for (int y = kInteriorMin; y <= kInteriorMax; ++y)
                for (int x = kInteriorMin; x <= kInteriorMax; ++x) {
                    const int distance = Squared(x) + Squared(y) + Squared(z) + Squared(w);
                    state.MazeSpace[CellIndex(x, y, z, w)] =
                        distance < kBallRadiusSquared ? CellWall : CellOpen;
                }
}

}  // namespace

void MakeFigure(const std::string& name, GameState& state, IMusic& music, IWindowTexts& texts) {
    music.StopMusic();
    state.WallColour = {0, 255, 0};

    const bool knownDimension = state.DimIndex >= 1 && state.DimIndex <= 3;
    if (name == "Blank") {
        if (state.DimIndex == 3)
            FillTowerBorder(state);
        else if (knownDimension)
            FillPlaneOrSlice(state, false);
        texts.SetCaption(FigureCaption(state.DimIndex, 0));
    } else if (name == "Circle") {
        if (state.DimIndex == 3)
            FillBall4(state);
        else if (knownDimension)
            FillPlaneOrSlice(state, true);
        texts.SetCaption(FigureCaption(state.DimIndex, 1));
    }

    texts.SetGoalCaption(NoGoalCaption());
    music.StartMusic("bgm.mid");
}

}  // namespace kestrune
