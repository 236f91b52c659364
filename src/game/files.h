// File services: atomic replacement, the text file of integers, and where the program lives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

// Replaces the file with the given bytes through a temporary file beside it and a rename,
// so a crash or a full disk never leaves a truncated file. False when it could not.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Reads a whole file; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

// One decimal integer per line, each line ended by CR LF, written atomically.
bool WriteIntegerLines(const std::string& path, const std::vector<long long>& values);
std::string IntegerLinesText(const std::vector<long long>& values);

// Reads one integer per line, at most `maxLines` of them (the rest of the file is not read).
// nullopt when the file cannot be opened; a line that is not a whole integer reads as
// nullopt in its place.
std::optional<std::vector<std::optional<long long>>> ReadIntegerLines(const std::string& path,
                                                                      size_t maxLines = SIZE_MAX);
// The same, from a text already in memory.
std::vector<std::optional<long long>> IntegerLinesOfText(const std::string& text,
                                                         size_t maxLines = SIZE_MAX);

// The directory holding the running executable (from the executable's own path, not the
// current directory), without a trailing separator.
std::string ProgramDirectory();

// Where installed data lives (the data directory chosen at build time), may be empty.
std::string InstalledDataDirectory();

// The first existing file among: the current directory, the program's directory, the
// installed data directory. Empty when none exists.
std::string FindDataFile(const std::string& name,
                         const std::string& programDirectory = ProgramDirectory());

}  // namespace kestrune
