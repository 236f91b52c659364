#include "web/game_window.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "forms/commands.h"
#include "forms/game_commands.h"
#include "forms/layouts.h"
#include "forms/windows.h"
#include "game/maze_code.h"
#include "navigation/key_bindings.h"
#include "navigation/menu_texts.h"
#include "navigation/readouts.h"
#include "navigation/records.h"
#include "render/layout.h"
#include "text/catalogue.h"
#include "web/bridge.h"
#include "web/json.h"
#include "web/keys.h"
#include "web/window_json.h"

namespace kestrune::web {

namespace {
// The window's design is in twips, 15 to a CSS pixel as to a logical pixel on the desktop.
constexpr double kTwipsPerPixel = 15.0;
int Px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
// The clear panel and the wait label, in view pixels.
constexpr int kPicClearWidth = 5895 / 15, kPicClearHeight = 2655 / 15;
constexpr int kLblWaitWidth = 193, kLblWaitHeight = 41;
// Label5(0) of the clear panel, where the ending's first line starts.
constexpr int kLine0Top = 1440 / 15, kLineHeight = 375 / 15;
}  // namespace

WebGameWindow::WebGameWindow(WebWindowDeps deps)
    : m_deps(std::move(deps)), m_autoCruiseCaption(text::Tr(kAutoCruiseIdle)) {
    m_logic = std::make_unique<GameWindowLogic>(m_deps.state, *this, m_deps.services);
    m_lineTop[0] = kLine0Top;
    m_lineCreated[0] = true;
    Form_Resize();
    m_logic->Form_Load();
    ShowKeyTooltips();
}

void WebGameWindow::SetCaption(const std::string& caption) {
    js_set_caption(caption.c_str());
}

void WebGameWindow::SetGoalCaption(const std::string& caption) {
    js_set_text("lblGoal", caption.c_str());
}

void WebGameWindow::RefreshView() {
    js_put_view(m_canvas.Data(), m_canvas.Width(), m_canvas.Height());
}

void WebGameWindow::SetDirectionReadout(const DirectionReadout& readout) {
    for (int i = 0; i < 7; ++i)
        js_set_text(("lblHoukou" + std::to_string(i)).c_str(), readout.captions[i].c_str());
    // Tower wall colours can add up past 255 in one component; colours stop at 255.
    auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    const Rgb& plus = readout.fourthPlusBackground;
    const Rgb& minus = readout.fourthMinusBackground;
    js_set_colour("lblHoukou3", clamp(plus.red), clamp(plus.green), clamp(plus.blue));
    js_set_colour("lblHoukou6", clamp(minus.red), clamp(minus.green), clamp(minus.blue));
}

void WebGameWindow::SetPositionCaption(const std::string& caption) {
    js_set_text("lblZahyou", caption.c_str());
}

void WebGameWindow::SetClockCaption(const std::string& caption) {
    js_set_text("lbltime", caption.c_str());
}

void WebGameWindow::SetClearPanelVisible(bool visible) {
    js_show_clear_panel(visible);
}

void WebGameWindow::SetClearTimeCaption(const std::string& caption) {
    m_clearTimeShown = true;
    js_set_text("Label5_1", caption.c_str());
}

void WebGameWindow::SetBusy(bool busy) {
    if (busy)
        js_show_busy();  // shown and painted before the long work starts
    else
        js_hide_busy();
}

void WebGameWindow::SetMazeCode(const std::string& code) {
    js_set_address(code.empty() ? "" : MazeLinkFragment(code).c_str());
}

void WebGameWindow::SetAnimationCheck(int index) {
    js_check_animation(index);
}

void WebGameWindow::SetMakeMenuEnabled(bool enabled) {
    js_enable_make_menu(enabled);
}

void WebGameWindow::SetAutoCruiseCaption(const std::string& caption) {
    m_autoCruiseCaption = caption;
    js_set_text("mnuAutoClouse", caption.c_str());
}

void WebGameWindow::mnuLanguage_Click(text::Language language) {
    m_logic->mnuLanguage_Click(language);
    RetranslateUi();
}

void WebGameWindow::RetranslateUi() {
    js_retranslate(WindowDescriptionJson(m_autoCruiseCaption).c_str());
    ShowKeyTooltips();
    // The clear panel's lines, as far as they are still the design's.
    if (m_ending) {
        for (int i = 0; i < kEndingLineCount; ++i)
            if (m_lineCreated[static_cast<size_t>(i)]) SetLineText(i, EndingLineText(i));
    } else {
        js_set_text("Label5_0", text::Tr(captions::kLabel5Great).c_str());
        if (!m_clearTimeShown)
            js_set_text("Label5_1", text::Tr(captions::kLabel5ClearTime).c_str());
    }
    if (js_ranking_shown()) ShowRanking();
    if (js_version_shown()) BuildVersion();
}

void WebGameWindow::ShowKeyTooltips() {
    for (int slot = 0; slot < kPanelActionCount; ++slot)
        js_set_title(forms::PanelButtonId(slot).c_str(),
                     PanelKeyTooltip(slot, m_logic->Keys()).c_str());
}

void WebGameWindow::mnuKeys_Click() {
    // The dialog starts the copy itself (BeginKeySettings), so nothing here comes before the
    // wait.
    if (js_key_settings()) {
        m_logic->StoreKeys(m_keyDraft);
        ShowKeyTooltips();
    }
}

std::string WebGameWindow::BeginKeySettings() {
    m_keyDraft = m_logic->Keys();
    return KeySettingsJson(m_keyDraft);
}

std::string WebGameWindow::OfferKey(int slot, std::string_view key, std::string_view code,
                                    int modifiers) {
    std::optional<std::string> refusal;
    if (slot >= 0 && slot < kPanelActionCount) {
        const KeyModifiers held{(modifiers & 1) != 0, (modifiers & 2) != 0, (modifiers & 4) != 0,
                                (modifiers & 8) != 0};
        refusal = kestrune::OfferKey(m_keyDraft, slot, MainKeyName(key, code, held));
    }
    JsonWriter json;
    json.BeginObject();
    KeyNamesJson(json, m_keyDraft);
    json.String("refusal", refusal.value_or(std::string())).EndObject();
    return json.Text();
}

std::string WebGameWindow::KeyDefaults() {
    m_keyDraft = KeyBindings();
    JsonWriter json;
    json.BeginObject();
    KeyNamesJson(json, m_keyDraft);
    json.EndObject();
    return json.Text();
}

void WebGameWindow::SetTimer1Enabled(bool enabled) {
    m_timer1 = enabled;
}

void WebGameWindow::ProcessPendingEvents() {
    // The page handles its events while the game waits here; what they queued runs now,
    // nested, as the desktop's event loop runs handlers inside auto cruise.
    js_yield();
    m_deps.commands.RunQueuedCommands();
}

void WebGameWindow::Unload() {
    FormUnloadOnce();
}

void WebGameWindow::FormUnloadOnce() {
    if (m_unloaded) return;
    m_unloaded = true;
    m_timer1 = false;
    m_logic->Form_Unload();
}

void WebGameWindow::ShowRanking() {
    js_show_ranking(RankingWindowJson(LoadRanking(m_deps.settings)).c_str());
}

void WebGameWindow::SetMapShown(bool shown) {
    js_show_map(shown);
}

ICanvas& WebGameWindow::MapCanvas(int width, int height) {
    if (width != m_mapCanvas.Width() || height != m_mapCanvas.Height())
        m_mapCanvas.Resize(width, height);
    return m_mapCanvas;
}

void WebGameWindow::RefreshMap() {
    js_put_map(m_mapCanvas.Data(), m_mapCanvas.Width(), m_mapCanvas.Height());
}

void WebGameWindow::OpenRanking() {
    if (js_ranking_shown())
        js_raise_ranking();
    else
        ShowRanking();
}

void WebGameWindow::OpenVersion() {
    if (js_version_shown())
        js_raise_version();
    else
        BuildVersion();
}

void WebGameWindow::BuildVersion() {
    js_show_version(VersionWindowJson().c_str());
}

void WebGameWindow::OpenHelp() {
    m_deps.links.Open(HelpPageAddress());
}

bool WebGameWindow::ShowEnding() {
    m_ending = true;
    return PlayEnding(*this, m_deps.music, m_deps.links, m_deps.pause);
}

void WebGameWindow::SetLayout(LayoutKind layout) {
    m_layout = layout;
    js_set_fit(layout == LayoutKind::Fit);
    Form_Resize();
}

namespace {
void Rect(JsonWriter& json, const char* name, const forms::LayoutRect& r) {
    json.BeginObject(name).Number("left", r.left).Number("top", r.top);
    json.Number("width", r.width).Number("height", r.height).EndObject();
}
}  // namespace

void WebGameWindow::FitResize(const double* viewport) {
    forms::LayoutInput in;
    in.kind = LayoutKind::Fit;
    in.width = viewport[0];
    in.height = std::max(0.0, viewport[1] - viewport[2]);
    in.pixelRatio = viewport[3] > 0 ? viewport[3] : 1.0;
    in.touch = viewport[4] != 0;
    const forms::GameLayout l = forms::ComputeGameLayout(in);
    // The strip's texts are the wide ones: the strip keeps the design's proportions.
    m_outerWidthTwips = forms::GameForm().width;
    m_clientHeightPx = l.strip.bottom();
    m_stripHeightPx = l.strip.height;
    const char* names[] = {"classic", "scaled", "portrait", "landscape"};
    JsonWriter json;
    json.BeginObject().Bool("fit", true);
    json.String("arrangement", names[static_cast<int>(l.arrangement)]);
    json.Number("scale", l.scale).Number("keyScale", l.keyScale);
    json.Number("clientWidth", std::lround(in.width))
        .Number("clientHeight", std::lround(in.height));
    Rect(json, "view", l.view);
    Rect(json, "strip", l.strip);
    Rect(json, "panel", l.panel);
    Rect(json, "readouts", l.readouts);
    // Where the readouts start in the design, in the panel's pixels: the page places each of
    // their labels from there.
    json.Number("readoutsDesignTop",
                forms::GameForm().Find("Label2").rect.top / forms::kTwipsPerPixel)
        .Number("lblGoalLeft", l.goalLeft);
    json.BeginArray("controls");
    auto control = [&](const std::string& id, const forms::LayoutRect& r) {
        json.BeginObject().String("id", id).Number("left", r.left).Number("top", r.top);
        json.Number("width", r.width).Number("height", r.height).EndObject();
    };
    for (int slot = 0; slot < kPanelActionCount; ++slot)
        control(forms::PanelButtonId(slot), l.buttons[static_cast<size_t>(slot)]);
    for (int i = 0; i < forms::kPlaneCount; ++i)
        control("lblPlane" + std::to_string(i + 1), l.planeLabels[static_cast<size_t>(i)]);
    json.EndArray();
    json.Number("boxScale", l.boxScale);
    json.Number("lblWaitLeft", l.waitLeft).Number("lblWaitTop", l.waitTop);
    json.Number("picClearLeft", l.clearLeft).Number("picClearTop", l.clearTop);
    json.EndObject();
    js_apply_layout(json.Text().c_str());
    if (l.viewPixelWidth != m_canvas.Width() || l.viewPixelHeight != m_canvas.Height())
        m_canvas.Resize(l.viewPixelWidth, l.viewPixelHeight);
}

void WebGameWindow::Form_Resize() {
    // Width, height, menu bar height, pixel ratio, coarse pointer.
    double viewport[5];
    js_viewport(viewport);
    if (m_layout == LayoutKind::Fit) {
        FitResize(viewport);
        if (!m_logic) return;
        m_logic->ShowPosition();
        m_logic->DrawScreen();
        return;
    }
    FormLayoutInput in;
    // The page is the window. A browser window smaller than the smallest game window gets
    // the smallest one, with scroll bars, instead of growing the window.
    in.outerWidth = std::max(viewport[0] * kTwipsPerPixel, kMinOuterWidthTwips);
    in.outerHeight = std::max(viewport[1] * kTwipsPerPixel, kMinOuterHeightTwips);
    const double menuHeight = viewport[2];
    in.clientWidth = in.outerWidth;
    in.clientHeight = in.outerHeight - menuHeight * kTwipsPerPixel;
    in.twipsPerPixel = kTwipsPerPixel;
    in.lblGoalWidth = 2175;
    in.picture2Height = 375;
    in.picClearWidth = kPicClearWidth;
    in.picClearHeight = kPicClearHeight;
    in.lblWaitWidth = kLblWaitWidth;
    in.lblWaitHeight = kLblWaitHeight;
    const FormLayout l = ComputeFormLayout(in);
    if (l.action != FormLayout::Action::Arrange) return;

    m_outerWidthTwips = static_cast<int>(in.outerWidth);
    m_clientHeightPx = Px(in.clientHeight);
    m_stripHeightPx = Px(in.picture2Height);
    const double ratio = viewport[3] > 0 ? viewport[3] : 1.0;
    const int viewWidth = Px(l.picture1Width);
    const int viewHeight = Px(l.picture1Height);
    JsonWriter json;
    json.BeginObject()
        .Number("clientWidth", Px(in.clientWidth))
        .Number("clientHeight", Px(in.clientHeight))
        .Number("picConLeft", Px(l.picConLeft))
        .Number("picConWidth", Px(l.picConWidth))
        .Bool("label6Visible", l.label6Visible)
        .Number("lblGoalLeft", Px(l.lblGoalLeft))
        .Number("picture2Top", Px(l.picture2Top))
        .Number("picture2Width", Px(l.picture2Width))
        .Number("line1Width", Px(l.line1X2))
        .Number("picture1Top", Px(l.picture1Top))
        .Number("picture1Width", viewWidth)
        .Number("picture1Height", viewHeight)
        .Number("lblWaitLeft", static_cast<int>(l.lblWaitLeft))
        .Number("lblWaitTop", static_cast<int>(l.lblWaitTop))
        .Number("picClearLeft", static_cast<int>(l.picClearLeft))
        .Number("picClearTop", static_cast<int>(l.picClearTop))
        .EndObject();
    js_apply_layout(json.Text().c_str());
    // The picture has the view's device pixels, so edges stay sharp on any screen.
    const int w = std::max(1, static_cast<int>(std::lround(viewWidth * ratio)));
    const int h = std::max(1, static_cast<int>(std::lround(viewHeight * ratio)));
    if (w != m_canvas.Width() || h != m_canvas.Height()) m_canvas.Resize(w, h);
    if (!m_logic) return;
    m_logic->ShowPosition();
    m_logic->DrawScreen();
}

void WebGameWindow::mnuZahyou_Click() {
    std::vector<int> tops;
    tops.reserve(801);
    if (!m_stripShown) {
        for (int k = 0; k <= 800; ++k)
            tops.push_back(
                static_cast<int>(std::lround(StripSlideTop(m_clientHeightPx, m_stripHeightPx, k))));
    } else {
        for (int k = 800; k >= 0; --k)
            tops.push_back(
                static_cast<int>(std::lround(StripSlideTop(m_clientHeightPx, m_stripHeightPx, k))));
    }
    m_stripShown = !m_stripShown;
    js_slide_strip(tops.data(), static_cast<int>(tops.size()), m_stripShown);
}

bool WebGameWindow::RunCommand(int code, int argument) {
    if (forms::RunGameCommand(*m_logic, m_deps.state, code, argument)) return true;
    switch (code) {
        case kCmdZahyou:
            mnuZahyou_Click();
            break;
        case kCmdRanking:
            OpenRanking();
            break;
        case kCmdHelp:
            OpenHelp();
            break;
        case kCmdVersion:
            OpenVersion();
            break;
        case kCmdKeys:
            mnuKeys_Click();
            break;
        case kCmdResize:
            Form_Resize();
            break;
        default:
            return false;
    }
    return true;
}

void WebGameWindow::CreateLine(int index) {
    if (index < 0 || index >= kEndingLineCount || m_lineCreated[index]) return;
    m_lineCreated[index] = true;
    m_lineTop[index] = m_lineTop[0];
    js_ending_add_line(index);
}

void WebGameWindow::SetLineVisible(int index, bool visible) {
    js_ending_line_visible(index, visible);
}

int WebGameWindow::LineTop(int index) const {
    return m_lineTop[static_cast<size_t>(index)];
}

int WebGameWindow::LineHeight(int) const {
    return kLineHeight;
}

void WebGameWindow::SetLineTop(int index, int top) {
    m_lineTop[static_cast<size_t>(index)] = top;
    js_ending_line_top(index, top);
}

void WebGameWindow::SetLineFontSize(int index, double points) {
    js_ending_line_font(index, points);
}

void WebGameWindow::SetLineText(int index, const std::string& text) {
    js_ending_line_text(index, text.c_str());
}

void WebGameWindow::SetEndingHeight(int height) {
    js_ending_height(height);
}

void WebGameWindow::SetEndingTop(int top) {
    js_ending_scroll(top);
}

void WebGameWindow::ShowPanel() {
    SetClearPanelVisible(true);
}

void WebGameWindow::RepaintPanel() {}

}  // namespace kestrune::web
