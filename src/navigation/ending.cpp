#include "navigation/ending.h"

#include <array>

#include "game/numbers.h"
#include "game/pause.h"
#include "game/shell.h"
#include "media/audio.h"

namespace kestrune {

namespace {

// Line 31, the last one the scroll leaves standing, is the credit line of the About box.
constexpr std::array<std::string_view, kEndingLineCount> kLines = {
    "You are the greatest!!",
    "",
    "あなたは99層におよぶ塔を登りきりました。",
    "100層目には約束された世界が広がっています。",
    "そこはまさに絵にも描けない美しき世界。",
    "",
    "しかしそこにはあまりにも平板な時間が待っているだけだった。",
    "",
    "やがてあなたは更なる刺激を求めて",
    "また塔へと戻り挑戦を続ける．．．。",
    "",
    "",
    "",
    "",
    "",
    "まさかクリアする人がいるとは!!",
    "是非メール下さい。",
    "このエンディングを見たあなたは",
    "すでに世界有数の4次元マニアです。",
    "ぜひメールください。",
    "",
    "塔はこれから先も続きます。",
    "難易度はランダムになりますが。",
    "",
    "それでは無限の高みを目指して",
    "永遠に登り続けてください｡ ",
    "",
    "",
    "",
    "",
    "「Kestrune」",
    "Pelkin",
};

}  // namespace

std::string_view EndingLineText(int line) {
    if (line < 0 || line >= kEndingLineCount) return {};
    return kLines[static_cast<size_t>(line)];
}

int EndingLineTop(int line, int top0, int lineHeight) {
    return line < 2 ? top0 + line * lineHeight : top0 + (line + 3) * lineHeight;
}

int EndingScrollTop(int k, int lineHeight) {
    return ToInt32(-static_cast<double>(lineHeight) * k / 16.0);
}

std::string EndingMailLink() {
    return MailLink("duderクリアしました");
}

bool PlayEnding(IEndingPanel& panel, IMusic& music, IShell& shell, IPause& pause) {
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
    for (int i = 0; i < kEndingLineCount; ++i) panel.SetLineText(i, std::string(EndingLineText(i)));

    panel.ShowPanel();
    panel.SetEndingTop(0);
    panel.RepaintPanel();
    if (!pause.Pause(kEndingStartPauseMs)) return false;

    for (int k = 0; k < kEndingScrollSteps; ++k) {
        panel.SetEndingTop(EndingScrollTop(k, height));
        panel.RepaintPanel();
        if (!pause.Pause(kEndingStepPauseMs)) return false;
    }

    shell.Open(EndingMailLink());
    return pause.Pause(kEndingFinalPauseMs);
}

}  // namespace kestrune
