// Clear times and best-time records of practice mazes.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "game/game_state.h"
#include "text/catalogue.h"

namespace kestrune {

class SettingsFile;

// "Time" / "Name" followed by the dimension digit (DimIndex) and the level digit 0..3.
std::string RecordKey(const char* prefix, int dimIndex, int level);
int RecordLevel(int difficulty);

// The table a clear is filed under: the dimension and level of the maze that was played,
// which the "作成" submenus may have moved on from since it was built.
struct RecordSlot {
    int dimIndex = 0;
    int level = 0;
};

// Elapsed seconds of a run. A run that spans midnight has a clock that wrapped to 0: count
// the day that passed instead of a negative time.
double ElapsedSeconds(double startTime, double now);

// lbltime's text for the elapsed time.
std::string ClockText(double elapsed);

// "Clear Time :   " followed by the time text.
std::string ClearTimeCaption(double elapsed);

// The name prompt of a new record: n the new whole seconds, best the old record.
std::string NewRecordPrompt(long long n, double best);
inline constexpr const char* kNamePromptTitle = text::TrMark("名前入力");

// What a clear does to the records. The caller shows the panel, stops the music and beeps
// first; then asks the name when this returns a prompt.
struct ClearCheck {
    bool isRecord = false;
    long long seconds = 0;    // whole seconds of the clear
    std::string prompt;       // the name prompt, for a record
    bool timeStored = false;  // the record's time reached the file (else it is kept in memory)
    RecordSlot slot;          // where the time was compared and stored
};
ClearCheck CheckClearRecord(SettingsFile& settings, RecordSlot slot, double elapsed);

// Stores the name of the record's holder (its time was written by CheckClearRecord). A name
// whose time could not be stored is only kept in memory, so that the file never pairs it
// with the old time. False when the record did not reach the file.
bool StoreRecordName(SettingsFile& settings, const ClearCheck& check, const std::string& name);

// The message for a record that could not be written to `path`.
std::string UnsavedRecordMessage(const std::string& path);

// The twelve cells of the ranking table, index 4 * (d - 1) + l.
struct RankingCell {
    std::string name;
    std::string time;
};
std::array<RankingCell, 12> LoadRanking(SettingsFile& settings);

// A stored time as the ranking shows it: m:ss, from the number at the start of the text.
std::string RankingTimeText(const std::string& stored);

}  // namespace kestrune
