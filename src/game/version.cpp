#include "game/version.h"

#include <cstdio>

#ifndef KESTRUNE_VERSION
#error "the build system gives the project version as KESTRUNE_VERSION"
#endif

namespace kestrune {

ProgramVersion CurrentVersion() {
    ProgramVersion version;
    std::sscanf(KESTRUNE_VERSION, "%d.%d.%d", &version.major, &version.minor, &version.revision);
    return version;
}

std::string VersionText(const ProgramVersion& version) {
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

}  // namespace kestrune
