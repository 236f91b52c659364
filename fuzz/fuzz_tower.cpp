// Fuzzes the tower file reader: no file, however damaged, may reach generation.
#include <memory>

#include "fuzz_support.h"
#include "game/files.h"
#include "game/tower_file.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto state = std::make_unique<GameState>();
    static const auto copy = std::make_unique<GameState>();
    const std::string path = fuzz::PlaceFile(kTowerFileName, data, size);
    const std::string original(reinterpret_cast<const char*>(data), size);

    state->TowerFloor = 0;
    state->StartPose = {};
    const TowerLoad load = ReadTowerFile(path, *state);
    FUZZ_CHECK(load != TowerLoad::NewTower);  // the file exists
    FUZZ_CHECK(state->TowerFloor >= 1);
    FUZZ_CHECK(IsValidStartPose(state->StartPose));
    FUZZ_CHECK(ReadWholeFile(path) == original);  // a damaged file stays as it was

    // What was accepted survives the next climb's write unchanged.
    const std::string again = fuzz::ScratchDirectory() + "/tower.again";
    FUZZ_CHECK(WriteTowerFile(again, *state));
    copy->TowerFloor = 0;
    copy->StartPose = {};
    FUZZ_CHECK(ReadTowerFile(again, *copy) == TowerLoad::Resumed);
    FUZZ_CHECK(copy->TowerFloor == state->TowerFloor);
    FUZZ_CHECK(copy->StartPose == state->StartPose);
    return 0;
}
