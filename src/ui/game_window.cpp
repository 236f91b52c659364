#include "ui/game_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <map>

#include "forms/commands.h"
#include "forms/game_commands.h"
#include "forms/layouts.h"
#include "forms/windows.h"
#include "navigation/menu_texts.h"
#include "navigation/records.h"
#include "render/layout.h"
#include "text/catalogue.h"
#include "ui/clear_panel.h"
#include "ui/form_widgets.h"
#include "ui/key_settings_dialog.h"
#include "ui/keypad.h"
#include "ui/language.h"
#include "ui/map_window.h"
#include "ui/menu_windows.h"
#include "ui/view_widget.h"

namespace kestrune::ui {

namespace {

// The window's design is in twips; Qt's logical pixels are forms::kTwipsPerPixel twips each.
constexpr double kTwipsPerPixel = forms::kTwipsPerPixel;
int Px(double twips) {
    return TwipsToPx(twips);
}

QFont DesignFont(double points, bool bold) {
    QFont font(QString::fromUtf8(kDesignFontFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The design face (12 point, narrowed to 88 %) narrowed further, one step at a time, until the
// caption fits inside the button's frame: IPAPGothic runs wider than the face it stands for.
// In the narrow layout the panel hides the right of its right column: the caption then fits
// the part still shown, so that its key stays readable.
void FitCaption(QPushButton* button, double scale = 1) {
    button->ensurePolished();
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int hidden =
        std::max(0, button->geometry().right() + 1 - button->parentWidget()->width());
    // Centred: the room is twice the distance from the middle to the nearer shown edge.
    const int shownRight = std::min(contents.right() + 1, button->width() - hidden);
    const int room = hidden == 0 ? contents.width()
                                 : 2 * std::min(shownRight - button->width() / 2,
                                                button->width() / 2 - contents.left());
    QFont font = DesignFont(12 * scale, false);
    const auto fits = [&] { return QFontMetrics(font).horizontalAdvance(button->text()) <= room; };
    for (int stretch = 88; stretch >= 50; --stretch) {
        font.setStretch(stretch);
        if (fits()) break;
    }
    // Narrower still only by a smaller size, down to 9 points.
    for (double points = 11.5; !fits() && points >= 9; points -= 0.5)
        font.setPointSizeF(points * scale);
    button->setFont(font);
}

}  // namespace

GameWindow::GameWindow(GameWindowDeps deps) : m_deps(std::move(deps)) {
    setWindowTitle(QStringLiteral("Kestrune"));
    m_windows = std::make_unique<MenuWindows>(m_deps.settings, m_deps.links, this);
    m_mapWindow = new MapWindow(this);
    connect(m_mapWindow, &MapWindow::closedByPlayer, this, [this] {
        if (!m_closed) m_logic->ShowMap(false);
    });
    BuildControls();
    BuildMenus();
    RetranslateUi();
    m_logic = std::make_unique<GameWindowLogic>(
        m_deps.state, *this,
        GameServices{m_deps.random, m_deps.clock, m_deps.music, m_deps.effects, m_deps.settings,
                     m_deps.dialogs, m_deps.pacer, m_deps.towerPath});
    // Key preview: the keys work whichever control has the focus.
    qApp->installEventFilter(this);
    resize(Px(forms::GameForm().width),
           Px(forms::GameForm().height) + menuBar()->sizeHint().height());
    m_picture1->SyncCanvasSize();
    m_logic->Form_Load();
    ShowKeyTooltips();
}

GameWindow::~GameWindow() {
    qApp->removeEventFilter(this);
}

void GameWindow::BuildControls() {
    const forms::Form& form = forms::GameForm();
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    std::map<std::string, QWidget*> made{{"", m_client}};
    for (const forms::Control& c : form.controls) {
        QWidget* parent = made.at(c.parent);
        QWidget* widget = nullptr;
        switch (c.kind) {
            case forms::Kind::Picture:
                widget = m_picture1 = new ViewWidget(parent);
                break;
            case forms::Kind::Panel:
                widget = new QWidget(parent);
                break;
            case forms::Kind::Line: {
                auto* line = new QFrame(parent);
                line->setFrameShape(QFrame::HLine);
                line->setFrameShadow(QFrame::Sunken);
                widget = line;
                break;
            }
            case forms::Kind::Button: {
                auto* button = new QPushButton(parent);
                const int code = c.command, argument = c.argument;
                connect(button, &QPushButton::clicked, this,
                        [this, code, argument] { RunCommand(code, argument); });
                m_buttons[c.id] = button;
                widget = button;
                break;
            }
            default: {
                // Readouts show their design caption until the game's text replaces it.
                auto* label = new QLabel(c.readout ? FormText(c) : QString(), parent);
                label->setFont(DesignFont(c.points, c.bold));
                label->setAlignment(FormAlignment(c.align) | Qt::AlignTop);
                m_labels[c.id] = label;
                widget = label;
                break;
            }
        }
        widget->setGeometry(FormRect(c.rect));
        made[c.id] = widget;
    }
    m_described = made;
    m_picture2 = made.at("picture2");
    m_picCon = made.at("picCon");
    m_line1 = static_cast<QFrame*>(made.at("Line1"));
    for (int i = 0; i < 7; ++i) m_houkou[i] = m_labels.at("lblHoukou" + std::to_string(i));
    m_lblWait = m_labels.at("lblWait");
    m_lblZahyou = m_labels.at("lblZahyou");
    m_label6 = m_labels.at("Label6");
    m_lblGoal = m_labels.at("lblGoal");
    m_label3 = m_labels.at("Label3");
    m_lbltime = m_labels.at("lbltime");

    m_lblWait->setAlignment(Qt::AlignCenter);
    SetBackground(m_lblWait, Qt::black);
    SetTextColour(m_lblWait, Qt::white);
    m_lblWait->hide();

    m_picClear = new ClearPanel(m_picture1);
    m_picClear->hide();
    connect(m_picClear, &ClearPanel::clicked, this, [this] { m_logic->picClear_Click(); });

    SetBackground(m_picture2, Qt::black);
    for (QLabel* label : {m_lblZahyou, m_label6, m_lblGoal}) SetTextColour(label, Qt::white);
    // The position text grows to the right as the goal text does.
    m_lblZahyou->setWordWrap(false);
    m_lblZahyou->setMinimumWidth(m_lblZahyou->width());
    m_lblZahyou->adjustSize();

    m_line1->resize(m_line1->width(), 2);
    // Drawn on the window itself: the view and the panel cover it where they stand.
    m_line1->lower();

    // The captions were laid out for buttons without inner padding.
    m_picCon->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
    for (int i : {3, 6}) {
        SetTextColour(m_houkou[i], Qt::white);
        SetBackground(m_houkou[i], Qt::black);
    }

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(999);
    connect(m_timer1, &QTimer::timeout, this, [this] { m_logic->Timer1_Timer(); });
    m_timer1->start();
}

void GameWindow::AddMenuItems(QMenu* menu, const std::vector<forms::MenuItem>& items) {
    for (const forms::MenuItem& item : items) {
        // Records live in the settings file here: the browser's export and import are not.
        if (item.webOnly) continue;
        if (item.separator) {
            const QList<QAction*> shown = menu->actions();
            if (!shown.isEmpty() && !shown.back()->isSeparator()) menu->addSeparator();
            continue;
        }
        if (!item.items.empty()) {
            QMenu* sub = menu->addMenu(QString());
            m_menus[item.id] = sub;
            if (item.openCommand != kCmdNone) {
                const int code = item.openCommand, argument = item.openArgument;
                connect(sub, &QMenu::aboutToShow, this,
                        [this, code, argument] { RunCommand(code, argument); });
            }
            AddMenuItems(sub, item.items);
            continue;
        }
        QAction* action = menu->addAction(QString());
        m_actions[item.id] = action;
        action->setCheckable(item.checkable);
        if (!item.shortcut.empty())
            action->setShortcut(QKeySequence(
                QString::fromUtf8(item.shortcut.data(), static_cast<int>(item.shortcut.size()))));
        const int code = item.command, argument = item.argument;
        connect(action, &QAction::triggered, this,
                [this, code, argument] { RunCommand(code, argument); });
    }
}

void GameWindow::BuildMenus() {
    for (const forms::MenuItem& top : forms::GameMenus()) {
        QMenu* menu = menuBar()->addMenu(QString());
        m_menus[top.id] = menu;
        AddMenuItems(menu, top.items);
    }
    m_mnuFile = m_menus.at("mnuFile");
    m_mnuFMJigen = m_menus.at("mnuFMJigen");
    m_mnuFMRe = m_actions.at("mnuFMRe");
    m_mnuMazeNumber = m_actions.at("mnuMazeNumber");
    m_mnuAutoClouse = m_actions.at("mnuAutoClouse");
    m_mnuZahyou = m_actions.at("mnuZahyou");
    m_mnuMap = m_actions.at("mnuMap");
    m_mnuFit = m_actions.at("mnuFit");
    for (int i = 0; i < 8; ++i) m_animation[i] = m_actions.at("mnuAnimation" + std::to_string(i));
    connect(m_mnuFile, &QMenu::aboutToShow, this,
            [this] { m_mnuFMRe->setEnabled(m_logic->mnuFile_Click()); });
    m_mnuAutoClouse->setText(QTr(kAutoCruiseIdle));
    m_mnuZahyou->setChecked(true);
}

void GameWindow::RunCommand(int code, int argument) {
    if (m_closed) return;
    switch (code) {
        case kCmdZahyou:
            // The check mark follows the strip, not the click.
            m_mnuZahyou->setChecked(!m_mnuZahyou->isChecked());
            mnuZahyou_Click();
            return;
        case kCmdMap:
            // The check mark follows the map window, not the click.
            m_mnuMap->setChecked(!m_mnuMap->isChecked());
            break;
        case kCmdFit:
            // The check mark follows the stored layout, not the click.
            m_mnuFit->setChecked(!m_mnuFit->isChecked());
            break;
        case kCmdRanking:
            m_windows->OpenRanking();
            return;
        case kCmdKeys:
            mnuKeys_Click();
            return;
        case kCmdLanguage:
            if (argument == 0 || argument == 1)
                mnuLanguage_Click(captions::kLanguages[static_cast<std::size_t>(argument)]);
            return;
        case kCmdHelp:
            m_windows->OpenHelp();
            return;
        case kCmdVersion:
            m_windows->OpenVersion();
            return;
        default:
            break;
    }
    forms::RunGameCommand(*m_logic, m_deps.state, code, argument);
}

void GameWindow::RetranslateMenus(const std::vector<forms::MenuItem>& items) {
    for (const forms::MenuItem& item : items) {
        if (item.separator || item.webOnly) continue;
        // The auto cruise item's caption is its state, which the rules say again.
        if (item.command == kCmdAutoCruise) continue;
        if (!item.items.empty()) {
            m_menus.at(item.id)->setTitle(Q(FormCaption(item.caption, item.literal)));
            RetranslateMenus(item.items);
        } else {
            m_actions.at(item.id)->setText(Q(FormCaption(item.caption, item.literal)));
        }
    }
}

void GameWindow::RetranslateUi() {
    for (const forms::Control& c : forms::GameForm().controls) {
        if (c.readout || !c.caption) continue;
        if (const auto label = m_labels.find(c.id); label != m_labels.end())
            label->second->setText(FormText(c));
    }
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        QPushButton* button = PanelButton(slot);
        button->setText(FormText(forms::GameForm().Find(forms::PanelButtonId(slot))));
        FitCaption(button, m_fontScale);
    }
    if (m_logic) ShowKeyTooltips();
    RetranslateMenus(forms::GameMenus());
    m_mapWindow->setWindowTitle(QTr(captions::kMnuMap));
    for (int i = 0; i < 2; ++i)
        m_actions.at("mnuLanguage" + std::to_string(i))
            ->setChecked(text::CurrentLanguage() ==
                         captions::kLanguages[static_cast<std::size_t>(i)]);
}

void GameWindow::mnuLanguage_Click(text::Language language) {
    // The rules' own texts first (readouts, caption, goal), then every window's captions,
    // this one's language check marks included.
    m_logic->mnuLanguage_Click(language);
    ApplyLanguage(language);
}

void GameWindow::SetCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
}

void GameWindow::SetGoalCaption(const std::string& caption) {
    m_lblGoal->setText(Q(caption));
}

ICanvas& GameWindow::ViewCanvas() {
    return m_picture1->canvas();
}

void GameWindow::RefreshView() {
    m_picture1->repaint();
}

void GameWindow::SetDirectionReadout(const DirectionReadout& readout) {
    for (int i = 0; i < 7; ++i) m_houkou[i]->setText(Q(readout.captions[i]));
    // Tower wall colours can add up past 255 in one component; colours stop at 255.
    auto colour = [](const Rgb& c) {
        auto clamp = [](int v) { return std::clamp(v, 0, 255); };
        return QColor(clamp(c.red), clamp(c.green), clamp(c.blue));
    };
    SetBackground(m_houkou[3], colour(readout.fourthPlusBackground));
    SetBackground(m_houkou[6], colour(readout.fourthMinusBackground));
}

void GameWindow::SetPositionCaption(const std::string& caption) {
    m_lblZahyou->setText(Q(caption));
    m_lblZahyou->adjustSize();
    m_picture2->repaint();
}

int GameWindow::OuterWidthTwips() const {
    return static_cast<int>(frameGeometry().width() * kTwipsPerPixel);
}

void GameWindow::SetClockCaption(const std::string& caption) {
    m_lbltime->setText(Q(caption));
}

void GameWindow::SetClearPanelVisible(bool visible) {
    m_picClear->setVisible(visible);
    if (visible) m_picClear->raise();
}

void GameWindow::SetClearTimeCaption(const std::string& caption) {
    m_picClear->SetClearTimeCaption(Q(caption));
}

void GameWindow::SetBusy(bool busy) {
    if (busy) {
        setCursor(Qt::WaitCursor);
        m_lblWait->show();
        m_lblWait->raise();
        m_lblWait->repaint();
    } else {
        unsetCursor();
        m_lblWait->hide();
    }
}

void GameWindow::SetAnimationCheck(int index) {
    for (int i = 0; i < 8; ++i) m_animation[i]->setChecked(i == index);
}

void GameWindow::SetMakeMenuEnabled(bool enabled) {
    m_mnuFMJigen->setEnabled(enabled);
    // A code builds a practice maze: the tower has none to make.
    m_mnuMazeNumber->setEnabled(enabled);
}

std::string GameWindow::AutoCruiseCaption() const {
    if (m_closed) return {};
    return m_mnuAutoClouse->text().toStdString();
}

void GameWindow::SetAutoCruiseCaption(const std::string& caption) {
    m_mnuAutoClouse->setText(Q(caption));
}

void GameWindow::SetTimer1Enabled(bool enabled) {
    if (enabled)
        m_timer1->start();
    else
        m_timer1->stop();
}

bool GameWindow::IsShown() const {
    return !m_closed && isVisible();
}

void GameWindow::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void GameWindow::Unload() {
    FormUnloadOnce();
}

void GameWindow::ShowRanking() {
    m_windows->ReloadRanking();
}

bool GameWindow::ShowEnding() {
    return m_picClear->ShowEnding(m_deps.music, m_deps.links, m_deps.pause);
}

void GameWindow::SetMapShown(bool shown) {
    m_mnuMap->setChecked(shown);
    m_mapWanted = shown;
    // Before the game window shows there is nothing to stand beside: its show places it.
    if (isVisible() || !shown) m_mapWindow->Place(shown);
}

ICanvas& GameWindow::MapCanvas(int width, int height) {
    return m_mapWindow->Canvas(width, height);
}

void GameWindow::RefreshMap() {
    m_mapWindow->Refresh();
}

void GameWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_mapWanted && !m_mapWindow->isVisible()) m_mapWindow->Place(true);
}

void GameWindow::mnuZahyou_Click() {
    // The strip rests at the client's bottom in the classic arrangement, under the view in fit.
    const double inner = m_layout == LayoutKind::Fit ? m_stripBottom : m_client->height();
    const double strip = m_picture2->height();
    auto place = [&](int k) {
        const int oldTop = m_picture2->y();
        const int top = static_cast<int>(std::lround(StripSlideTop(inner, strip, k)));
        if (top == oldTop) return;
        m_picture2->move(0, top);
        // Only the band the strip left and entered needs drawing again.
        m_client->repaint(QRect(0, std::min(oldTop, top), m_picture2->width(),
                                std::abs(oldTop - top) + m_picture2->height()));
    };
    if (!m_picture2->isVisible()) {
        m_picture2->move(0, static_cast<int>(inner));
        m_picture2->show();
        m_picture2->raise();
        for (int k = 0; k <= 800; ++k) place(k);
        m_mnuZahyou->setChecked(true);
    } else {
        for (int k = 800; k >= 0; --k) place(k);
        m_picture2->hide();
        m_mnuZahyou->setChecked(false);
    }
}

void GameWindow::mnuKeys_Click() {
    KeySettingsDialog dialog(m_logic->Keys(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_logic->StoreKeys(dialog.Keys());
    ShowKeyTooltips();
}

QPushButton* GameWindow::PanelButton(int slot) const {
    return m_buttons.at(forms::PanelButtonId(slot));
}

void GameWindow::ShowKeyTooltips() {
    for (int slot = 0; slot < kPanelActionCount; ++slot)
        PanelButton(slot)->setToolTip(Q(PanelKeyTooltip(slot, m_logic->Keys())));
}

void GameWindow::SetLayout(LayoutKind layout) {
    m_mnuFit->setChecked(layout == LayoutKind::Fit);
    if (layout == m_layout) return;
    const bool wasFit = m_layout == LayoutKind::Fit;
    m_layout = layout;
    // The classic arithmetic starts from the design's places and faces.
    if (wasFit) {
        PlaceDescribed(1, 0, 0);
        ScaleBoxes(1);
    }
    Form_Resize();
}

void GameWindow::PlaceDescribed(double scale, int x0, int y0) {
    const double k = scale / forms::kTwipsPerPixel;
    // Rounded edge by edge, so that parts that meet in the design still meet.
    const auto edges = [](double left, double top, double right, double bottom) {
        const int l = static_cast<int>(std::lround(left)), t = static_cast<int>(std::lround(top));
        return QRect(l, t, static_cast<int>(std::lround(right)) - l,
                     static_cast<int>(std::lround(bottom)) - t);
    };
    const forms::Form& form = forms::GameForm();
    for (const forms::Control& c : form.controls) {
        // Placed in the view's middle at its own size.
        if (c.id == "lblWait") continue;
        const bool top = c.parent.empty();
        // The panel stands against the client's right edge, as the classic arithmetic puts it.
        const double left = c.id == "picCon" ? form.width - c.rect.width : c.rect.left;
        const double ox = top ? x0 : 0, oy = top ? y0 : 0;
        QWidget* widget = m_described.at(c.id);
        widget->setGeometry(edges(ox + left * k, oy + c.rect.top * k,
                                  ox + (left + c.rect.width) * k,
                                  oy + (c.rect.top + c.rect.height) * k));
        if (c.kind == forms::Kind::Label) widget->setFont(DesignFont(c.points * scale, c.bold));
    }
    m_line1->resize(m_line1->width(), 2);
    m_lblZahyou->setMinimumWidth(m_lblZahyou->width());
    m_fontScale = scale;
    for (int slot = 0; slot < kPanelActionCount; ++slot) FitCaption(PanelButton(slot), scale);
}

void GameWindow::ScaleBoxes(double scale) {
    m_picClear->SetScale(scale);
    const forms::Control& wait = forms::GameForm().Find("lblWait");
    m_lblWait->resize(static_cast<int>(std::lround(wait.rect.width * scale / kTwipsPerPixel)),
                      static_cast<int>(std::lround(wait.rect.height * scale / kTwipsPerPixel)));
    m_lblWait->setFont(DesignFont(wait.points * scale, wait.bold));
}

void GameWindow::ArrangeFit() {
    forms::LayoutInput in;
    in.kind = LayoutKind::Fit;
    in.width = m_client->width();
    in.height = m_client->height();
    in.pixelRatio = devicePixelRatioF();
    const forms::GameLayout l = forms::ComputeGameLayout(in);
    PlaceDescribed(l.scale, l.view.left, l.view.top);
    const auto rect = [](const forms::LayoutRect& r) {
        return QRect(r.left, r.top, r.width, r.height);
    };
    // The view is drawn at the size it is shown, never an enlarged picture.
    m_picture1->setGeometry(rect(l.view));
    m_picture1->SyncCanvasSize();
    m_picture2->setGeometry(rect(l.strip));
    m_picCon->setGeometry(rect(l.panel));
    m_label6->setVisible(true);
    m_lblGoal->move(l.goalLeft, m_lblGoal->y());
    m_stripBottom = l.strip.bottom();
    if (!m_mnuZahyou->isChecked()) m_picture2->move(m_picture2->x(), m_stripBottom);
    ScaleBoxes(l.boxScale);
    m_lblWait->move((l.view.width - m_lblWait->width()) / 2,
                    (l.view.height - m_lblWait->height()) / 2);
    m_picClear->move((l.view.width - m_picClear->width()) / 2,
                     (l.view.height - m_picClear->height()) / 2);
    m_logic->ShowPosition();
    m_logic->DrawScreen();
}

void GameWindow::Form_Resize() {
    if (!m_logic) return;
    if (m_layout == LayoutKind::Fit) {
        if (!isMinimized()) ArrangeFit();
        return;
    }
    FormLayoutInput in;
    in.minimised = isMinimized();
    const QRect frame = frameGeometry();
    in.outerWidth = frame.width() * kTwipsPerPixel;
    in.outerHeight = frame.height() * kTwipsPerPixel;
    in.clientWidth = m_client->width() * kTwipsPerPixel;
    in.clientHeight = m_client->height() * kTwipsPerPixel;
    in.twipsPerPixel = kTwipsPerPixel;
    in.lblGoalWidth = m_lblGoal->width() * kTwipsPerPixel;
    in.picture2Height = m_picture2->height() * kTwipsPerPixel;
    in.picClearWidth = m_picClear->width();
    in.picClearHeight = m_picClear->height();
    in.lblWaitWidth = m_lblWait->width();
    in.lblWaitHeight = m_lblWait->height();
    const FormLayout l = ComputeFormLayout(in);
    const int frameExtraW = frame.width() - width();
    const int frameExtraH = frame.height() - height();
    switch (l.action) {
        case FormLayout::Action::None:
            return;
        case FormLayout::Action::GrowHeight:
            resize(width(), Px(l.newOuterHeight) - frameExtraH);
            return;
        case FormLayout::Action::GrowWidth:
            resize(Px(l.newOuterWidth) - frameExtraW, height());
            return;
        case FormLayout::Action::Arrange:
            break;
    }
    m_picCon->resize(Px(l.picConWidth), m_picCon->height());
    for (int slot = 0; slot < kPanelActionCount; ++slot) FitCaption(PanelButton(slot));
    m_label3->move(m_picCon->width() - m_label3->width(), m_label3->y());
    m_label6->setVisible(l.label6Visible);
    m_lblGoal->move(Px(l.lblGoalLeft), m_lblGoal->y());
    m_picture2->resize(Px(l.picture2Width), m_picture2->height());
    m_logic->ShowPosition();
    m_line1->setGeometry(0, 0, Px(l.line1X2), 2);
    m_picCon->move(Px(l.picConLeft), m_picCon->y());
    m_picture2->move(0, Px(l.picture2Top));
    m_picture1->setGeometry(0, Px(l.picture1Top), Px(l.picture1Width), Px(l.picture1Height));
    m_picture1->SyncCanvasSize();
    m_logic->DrawScreen();
    m_lblWait->move(static_cast<int>(l.lblWaitLeft), static_cast<int>(l.lblWaitTop));
    m_picClear->move(static_cast<int>(l.picClearLeft), static_cast<int>(l.picClearTop));
}

namespace {
// Under X11 the key's native state carries Num Lock (Mod2); elsewhere it is unknown.
std::optional<bool> NumLockState(const QKeyEvent& key) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    constexpr quint32 kX11Mod2 = 0x10;
    return (key.nativeModifiers() & kX11Mod2) != 0;
}
}  // namespace

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !m_closed) {
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        // The first delivery to this window or its focused control; not again as the key
        // travels up to the parents. The map window holds no controls: its keys play too.
        const bool here = widget && widget->window() == this && widget == (focus ? focus : this);
        if (here || (widget && widget == m_mapWindow)) {
            auto* key = static_cast<QKeyEvent*>(event);
            std::optional<KeypadKey> pressed;
            if (const auto press = KeypadDigit(key->key(), key->modifiers(), NumLockState(*key)))
                pressed = KeypadKey{press->digit, press->modified};
            else if (const auto name = MainKeyName(key->key(), key->modifiers()))
                pressed = m_logic->Keys().Lookup(*name);
            if (pressed) {
                if (const auto now = m_presses.Arrive(*pressed, key->isAutoRepeat())) Carry(*now);
                // Consumed here: a box opened by the action moves the focus, and the
                // unaccepted key would otherwise reach the new focus on its way up.
                key->accept();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void GameWindow::Carry(KeypadKey key) {
    m_logic->Form_KeyDown(key.digit, key.modified);
    m_presses.Ended();
    if (m_nextPressPosted) return;
    m_nextPressPosted = true;
    // Posted: the key events that came while the action was drawn are delivered first, so
    // the repeats among them are combined before the next press is chosen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_nextPressPosted = false;
            if (m_closed) return;
            if (const auto next = m_presses.Next()) Carry(*next);
        },
        Qt::QueuedConnection);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void GameWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) Form_Resize();
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void GameWindow::closeEvent(QCloseEvent* event) {
    FormUnloadOnce();
    event->accept();
    // The ranking window and the About box go with the game window.
    m_windows->CloseAll();
    QCoreApplication::quit();
}

void GameWindow::FormUnloadOnce() {
    m_closed = true;
    if (m_unloaded) return;
    m_unloaded = true;
    m_timer1->stop();
    m_logic->Form_Unload();
}

}  // namespace kestrune::ui
