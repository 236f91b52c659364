// The tower progress file "tower": the floor reached and the pose at which it was entered.
#pragma once

#include <string>

#include "game/game_state.h"
#include "game/text_store.h"

namespace kestrune {

inline constexpr const char* kTowerFileName = "tower";

enum class TowerLoad {
    NewTower,      // no file: floor 1 at (4,4,4,4), identity
    Resumed,       // floor and pose read and valid
    PoseReset,     // valid floor, damaged or missing pose: new-tower pose on that floor
    FloorDamaged,  // the floor itself is damaged: a new tower
};

// Loads TowerFloor and StartPose from the file (21 lines: floor, start cell, the sixteen
// orientation entries row by row). A damaged file never reaches generation: see TowerLoad.
// The file itself is left untouched.
TowerLoad ReadTowerFile(const std::string& path, GameState& state);
// The same from a text store (the browser keeps the same text in its storage).
TowerLoad ReadTowerFile(ITextStore& store, const std::string& name, GameState& state);

// Writes TowerFloor and StartPose in the same layout, CR LF line ends, atomically.
bool WriteTowerFile(const std::string& path, const GameState& state);
bool WriteTowerFile(ITextStore& store, const std::string& name, const GameState& state);
// The text both write.
std::string TowerText(const GameState& state);

// A start cell inside 4..16 on every axis and a signed permutation matrix.
bool IsValidStartPose(const std::array<std::array<int16_t, 4>, 5>& pose);

}  // namespace kestrune
