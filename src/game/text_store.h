// Where the settings and the tower progress are kept: whole texts by name. The desktop keeps
// them as files; the browser in its local storage.
#pragma once

#include <optional>
#include <string>

namespace kestrune {

class ITextStore {
public:
    virtual ~ITextStore() = default;
    virtual bool Exists(const std::string& name) = 0;
    // The whole text; nullopt when there is none or it cannot be read.
    virtual std::optional<std::string> Read(const std::string& name) = 0;
    // Replaces the whole text at once; false when it could not, the old text then stays.
    virtual bool Write(const std::string& name, const std::string& text) = 0;
    // Removes the text; true when none is left (also when there was none).
    virtual bool Remove(const std::string& name) = 0;
};

// Files named by their paths; a write replaces the file atomically.
class FileTextStore final : public ITextStore {
public:
    bool Exists(const std::string& path) override;
    std::optional<std::string> Read(const std::string& path) override;
    bool Write(const std::string& path, const std::string& text) override;
    bool Remove(const std::string& path) override;
};

// The one file store the desktop uses.
ITextStore& Files();

}  // namespace kestrune
