#include "game/links.h"

#include <filesystem>

#include "game/files.h"
#include "text/catalogue.h"

namespace kestrune {

std::string MailLink(const std::string& subject) {
    return std::string("mailto:") + kAuthorMailAddress + "?subject=" + subject;
}

std::string FileUrl(const std::string& absolutePath) {
    static const char* const hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : absolutePath) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 0x0F];
        }
    }
    return url;
}

std::string HelpPageUrl() {
    const std::string found = FindDataFile(kHelpFileName);
    if (found.empty()) return {};
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(found, ec);
    if (ec) return {};
    const std::string url = FileUrl(absolute.lexically_normal().string());
    return text::CurrentLanguage() == text::Language::English ? url + "#en" : url;
}

bool OpenHelp(ILinkOpener& links) {
    const std::string url = HelpPageUrl();
    if (url.empty()) return false;
    links.Open(url);
    return true;
}

}  // namespace kestrune
