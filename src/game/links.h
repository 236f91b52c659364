// Opening files, web pages and mail links with the desktop's own programs, and the addresses
// the game opens that way.
#pragma once

#include <string>

namespace kestrune {

// Asks the desktop to "open" a file, URL or mail link. The result is not looked at: a desktop
// without a browser or mail program simply does nothing.
class ILinkOpener {
public:
    virtual ~ILinkOpener() = default;
    virtual void Open(const std::string& target) = 0;
};

// The author's mail address used by the mail links. Left empty so the player's mail program
// opens a new message with only the subject filled in.
inline constexpr const char* kAuthorMailAddress = "";
inline constexpr const char* kHelpFileName = "kestrune.html";

// "mailto:" + address + "?subject=" + subject, exactly as built: no percent-encoding, the
// mail program receives the subject as the game wrote it.
std::string MailLink(const std::string& subject);

// An absolute path as a file:// URL. Bytes other than unreserved ones and "/" are
// percent-encoded, so blanks and non-ASCII directory names survive the trip.
std::string FileUrl(const std::string& absolutePath);

// The help page as a file URL: kestrune.html in the current directory, else beside the
// program, else in the installed data directory; in English at its English section ("#en").
// Empty when there is none.
std::string HelpPageUrl();

// Opens the help page with the desktop's browser; false (and nothing opened) when it cannot be
// found.
bool OpenHelp(ILinkOpener& links);

}  // namespace kestrune
