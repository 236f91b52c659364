// The program's own version numbers, as the About box shows them.
#pragma once

#include <string>

namespace kestrune {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
    friend bool operator==(const ProgramVersion&, const ProgramVersion&) = default;
};

// The numbers of this build (the project version given to the build system).
ProgramVersion CurrentVersion();

// "Version " + major + "." + minor + "." + revision, plain decimals: "Version 2.0.53".
std::string VersionText(const ProgramVersion& version);

}  // namespace kestrune
