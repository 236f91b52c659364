#include "game/game_state.h"

namespace kestrune {

const std::array<const char*, 12> kRotationStrings = {
    "1211011111211112", "1011211111211112", "1121121101111112", "1101121121111112",
    "1112121111210111", "1110121111212111", "2111112110111112", "2111110112111112",
    "2111111211211011", "2111111011211211", "2111121111121101", "2111121111101121",
};

void PrepareStartup(GameState& state) {
    for (int i = 0; i < 4; ++i) state.Orientation[i][i] = 1;
    for (int k = 0; k < 12; ++k) state.RotationTable[k] = kRotationStrings[k];
    state.DimIndex = 3;
    state.GameMode = kModeTitle;
    state.PlayerPos = {4, 4, 4, 4};
}

void SetNewTowerStart(GameState& state) {
    state.TowerFloor = 1;
    for (int j = 0; j < 4; ++j) state.StartPose[0][j] = 4;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) state.StartPose[i + 1][j] = (i == j) ? 1 : 0;
}

void PlaceAtStartPose(GameState& state) {
    for (int j = 0; j < 4; ++j) state.PlayerPos[j] = state.StartPose[0][j];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) state.Orientation[i][j] = state.StartPose[i + 1][j];
}

}  // namespace kestrune
