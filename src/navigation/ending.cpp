#include "navigation/ending.h"

#include <array>

#include "game/links.h"
#include "game/numbers.h"
#include "game/pause.h"
#include "media/audio.h"
#include "text/catalogue.h"

namespace kestrune {

namespace {

// Line 31, the last one the scroll leaves standing, is the credit line of the About box: a
// name, the same in every language.
constexpr std::array<std::string_view, kEndingLineCount> kLines = {
    text::TrMark("You are the greatest!!"),
    "",
    text::TrMark("あなたは99層におよぶ塔を登りきりました。"),
    text::TrMark("100層目には約束された世界が広がっています。"),
    text::TrMark("そこはまさに絵にも描けない美しき世界。"),
    "",
    text::TrMark("しかしそこにはあまりにも平板な時間が待っているだけだった。"),
    "",
    text::TrMark("やがてあなたは更なる刺激を求めて"),
    text::TrMark("また塔へと戻り挑戦を続ける．．．。"),
    "",
    "",
    "",
    "",
    "",
    text::TrMark("まさかクリアする人がいるとは!!"),
    text::TrMark("是非メール下さい。"),
    text::TrMark("このエンディングを見たあなたは"),
    text::TrMark("すでに世界有数の4次元マニアです。"),
    text::TrMark("ぜひメールください。"),
    "",
    text::TrMark("塔はこれから先も続きます。"),
    text::TrMark("難易度はランダムになりますが。"),
    "",
    text::TrMark("それでは無限の高みを目指して"),
    text::TrMark("永遠に登り続けてください｡ "),
    "",
    "",
    "",
    "",
    text::TrMark("「Kestrune」"),
    "Pelkin",
};

}  // namespace

std::string EndingLineText(int line) {
    if (line < 0 || line >= kEndingLineCount) return {};
    return text::Tr(kLines[static_cast<size_t>(line)]);
}

int EndingLineTop(int line, int top0, int lineHeight) {
    return line < 2 ? top0 + line * lineHeight : top0 + (line + 3) * lineHeight;
}

int EndingScrollTop(int k, int lineHeight) {
    return ToInt32(-static_cast<double>(lineHeight) * k / 16.0);
}

std::string EndingMailLink() {
    return MailLink(text::Tr("duderクリアしました"));
}

bool PlayEnding(IEndingPanel& panel, IMusic& music, ILinkOpener& links, IPause& pause) {
    const int top0 = panel.LineTop(0);
    const int height = panel.LineHeight(0);
    for (int i = 0; i < kEndingLineCount; ++i) {
        panel.CreateLine(i);
        panel.SetLineVisible(i, true);
        panel.SetLineTop(i, EndingLineTop(i, top0, height));
        if (i >= 2) panel.SetLineFontSize(i, kEndingStoryPoints);
    }
    panel.SetEndingHeight(panel.LineTop(kEndingLineCount - 1) + height);
    music.StopMusic();
    for (int i = 0; i < kEndingLineCount; ++i) panel.SetLineText(i, EndingLineText(i));

    panel.ShowPanel();
    panel.SetEndingTop(0);
    panel.RepaintPanel();
    if (!pause.Pause(kEndingStartPauseMs)) return false;

    for (int k = 0; k < kEndingScrollSteps; ++k) {
        panel.SetEndingTop(EndingScrollTop(k, height));
        panel.RepaintPanel();
        if (!pause.Pause(kEndingStepPauseMs)) return false;
    }

    links.Open(EndingMailLink());
    return pause.Pause(kEndingFinalPauseMs);
}

}  // namespace kestrune
