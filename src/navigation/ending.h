// The tower ending: the text that scrolls up the clear panel after the 99th floor, and the
// order in which it is played.
#pragma once

#include <string>
#include <string_view>

namespace kestrune {

class IMusic;
class IPause;
class ILinkOpener;

inline constexpr int kEndingLineCount = 32;
// Scroll positions t = 0, 1/16, ..., 34: 34 * 16 + 1 of them.
inline constexpr int kEndingScrollSteps = 34 * 16 + 1;
inline constexpr int kEndingStartPauseMs = 1000;
inline constexpr int kEndingStepPauseMs = 100;
inline constexpr int kEndingFinalPauseMs = 5000;
inline constexpr double kEndingStoryPoints = 9.0;

// The text of line i (0..31) of the ending, in the current language.
std::string EndingLineText(int line);

// Top of line i inside the scrolling picture: the heading lines 0 and 1 stand one line
// height apart, the story follows after a gap of three lines.
int EndingLineTop(int line, int top0, int lineHeight);

// Top of the scrolling picture at position k (0..544): -lineHeight * k / 16, rounded to the
// nearest whole unit with ties to even. Computed from k, so the last one is exactly -34 lines.
int EndingScrollTop(int k, int lineHeight);

// The mail link opened at the end: "mailto:" + address + "?subject=duderクリアしました".
std::string EndingMailLink();

// The clear panel as the ending drives it: the picture box picClear, the picture picEnding
// inside it, and the label array Label5 inside that.
class IEndingPanel {
public:
    virtual ~IEndingPanel() = default;
    // Creates Label5(index) as a hidden copy of Label5(0); nothing when it already exists.
    virtual void CreateLine(int index) = 0;
    virtual void SetLineVisible(int index, bool visible) = 0;
    virtual int LineTop(int index) const = 0;
    virtual int LineHeight(int index) const = 0;
    virtual void SetLineTop(int index, int top) = 0;
    virtual void SetLineFontSize(int index, double points) = 0;
    virtual void SetLineText(int index, const std::string& text) = 0;
    virtual void SetEndingHeight(int height) = 0;  // picEnding
    virtual void SetEndingTop(int top) = 0;        // picEnding
    virtual void ShowPanel() = 0;                  // picClear
    virtual void RepaintPanel() = 0;               // picClear, drawn at once
};

// Plays the whole ending (about a minute): lines, music off, the scroll, the mail link, the
// final pause. Returns false when a pause was cut short because the window is closing; the
// panel is then left as it was and nothing further is opened.
bool PlayEnding(IEndingPanel& panel, IMusic& music, ILinkOpener& links, IPause& pause);

}  // namespace kestrune
