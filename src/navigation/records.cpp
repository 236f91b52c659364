#include "navigation/records.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "game/numbers.h"
#include "settings/settings_file.h"
#include "text/catalogue.h"

namespace kestrune {

std::string RecordKey(const char* prefix, int dimIndex, int level) {
    return std::string(prefix) + std::to_string(dimIndex) + std::to_string(level);
}

int RecordLevel(int difficulty) {
    return (difficulty - 1) / 2;
}

double ElapsedSeconds(double startTime, double now) {
    double e = now - startTime;
    if (e < 0) e += 86400.0;
    return e;
}

std::string ClockText(double elapsed) {
    return TimeText(static_cast<long long>(std::floor(elapsed)));
}

std::string ClearTimeCaption(double elapsed) {
    return text::Trf("Clear Time :   {0}", {ClockText(elapsed)});
}

namespace {
// A stored time as whole seconds; hand-edited giants stop at the range of the result.
long long WholeSeconds(double value) {
    if (!std::isfinite(value)) return value > 0 ? LLONG_MAX / 2 : 0;
    return static_cast<long long>(NearestEven(std::clamp(value, -9.2e18, 9.2e18)));
}
}  // namespace

std::string NewRecordPrompt(long long n, double best) {
    const long long b = WholeSeconds(best);
    // New minutes and seconds carry the blank a non-negative number prints in front.
    return text::Trf(
        "新記録達成！！\r\nお名前をどうぞ。\r\n\r\n新記録は  {0}分  {1}秒、旧記録は {2}分 "
        "{3}秒でした。",
        {std::to_string(n / 60), std::to_string(n % 60), std::to_string(b / 60),
         std::to_string(b % 60)});
}

ClearCheck CheckClearRecord(SettingsFile& settings, RecordSlot slot, double elapsed) {
    ClearCheck check;
    check.slot = slot;
    check.seconds = static_cast<long long>(std::floor(elapsed));
    const std::string key = RecordKey("Time", slot.dimIndex, slot.level);
    const double best = LeadingNumber(settings.ReadSetting(kSettingsSection, key, "3600"));
    if (!(elapsed < best)) return check;
    check.isRecord = true;
    check.timeStored = settings.WriteSetting(kSettingsSection, key, std::to_string(check.seconds));
    check.prompt = NewRecordPrompt(check.seconds, best);
    return check;
}

bool StoreRecordName(SettingsFile& settings, const ClearCheck& check, const std::string& name) {
    const std::string key = RecordKey("Name", check.slot.dimIndex, check.slot.level);
    if (!check.timeStored) {
        settings.KeepInMemory(kSettingsSection, key, name);
        return false;
    }
    return settings.WriteSetting(kSettingsSection, key, name);
}

std::string UnsavedRecordMessage(const std::string& path) {
    // The path on a line of its own, so that the sentence is never broken inside a word.
    return text::Trf("記録をファイルに保存できませんでした。\n{0}", {path});
}

std::string RankingTimeText(const std::string& stored) {
    // Stored seconds are shown as they are, beyond the 16-bit range too.
    const long long t = WholeSeconds(LeadingNumber(stored));
    if (t < 0) return "-" + TimeText(-t);
    return TimeText(t);
}

std::array<RankingCell, 12> LoadRanking(SettingsFile& settings) {
    std::array<RankingCell, 12> cells;
    for (int d = 1; d <= 3; ++d)
        for (int l = 0; l <= 3; ++l) {
            RankingCell& cell = cells[4 * (d - 1) + l];
            cell.time = RankingTimeText(
                settings.ReadSetting(kSettingsSection, RecordKey("Time", d, l), "3600"));
            cell.name = settings.ReadSetting(kSettingsSection, RecordKey("Name", d, l), "Pelkin");
        }
    return cells;
}

}  // namespace kestrune
