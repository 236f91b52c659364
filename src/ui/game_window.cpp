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

#include "forms/layouts.h"
#include "navigation/menu_texts.h"
#include "navigation/records.h"
#include "render/layout.h"
#include "text/catalogue.h"
#include "ui/clear_panel.h"
#include "ui/key_settings_dialog.h"
#include "ui/keypad.h"
#include "ui/language.h"
#include "ui/map_window.h"
#include "ui/menu_windows.h"
#include "ui/view_widget.h"

namespace kestrune::ui {

namespace {

// The window's design is in twips; Qt's logical pixels are 15 twips each.
constexpr double kTwipsPerPixel = 15.0;
int Px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
QRect TwipRect(double left, double top, double width, double height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

QFont DesignFont(double points, bool bold) {
    QFont font(QString::fromUtf8(kDesignFontFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect geometry, const QFont& font,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(align);
    return label;
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
void FitCaption(QPushButton* button) {
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
    QFont font = DesignFont(12, false);
    const auto fits = [&] { return QFontMetrics(font).horizontalAdvance(button->text()) <= room; };
    for (int stretch = 88; stretch >= 50; --stretch) {
        font.setStretch(stretch);
        if (fits()) break;
    }
    // Narrower still only by a smaller size, down to 9 points.
    for (double points = 11.5; !fits() && points >= 9; points -= 0.5) font.setPointSizeF(points);
    button->setFont(font);
}

}  // namespace

GameWindow::GameWindow(GameWindowDeps deps) : m_deps(std::move(deps)) {
    setWindowTitle(QStringLiteral("Kestrune"));
    m_windows = std::make_unique<MenuWindows>(m_deps.settings, m_deps.shell, this);
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
    resize(Px(8610), Px(6615) + menuBar()->sizeHint().height());
    m_picture1->SyncCanvasSize();
    m_logic->Form_Load();
    ShowKeyTooltips();
}

GameWindow::~GameWindow() {
    qApp->removeEventFilter(this);
}

void GameWindow::BuildControls() {
    m_client = new QWidget(this);
    setCentralWidget(m_client);

    m_picture1 = new ViewWidget(m_client);
    m_picture1->setGeometry(TwipRect(0, 0, 6675, 6255));

    m_lblWait = MakeLabel(m_picture1, QString(), QRect(0, 0, 193, 41), DesignFont(18, true),
                          Qt::AlignCenter);
    SetBackground(m_lblWait, Qt::black);
    SetTextColour(m_lblWait, Qt::white);
    m_lblWait->hide();

    m_picClear = new ClearPanel(m_picture1);
    m_picClear->hide();
    connect(m_picClear, &ClearPanel::clicked, this, [this] { m_logic->picClear_Click(); });

    m_picture2 = new QWidget(m_client);
    m_picture2->setGeometry(TwipRect(0, 6240, 6675, 375));
    SetBackground(m_picture2, Qt::black);
    const QFont stripFont = DesignFont(14.25, true);
    // The design caption; the position readout replaces it before the window shows.
    m_lblZahyou = MakeLabel(m_picture2, QTr(captions::kLblZahyouDesign), TwipRect(0, 0, 1215, 285),
                            stripFont);
    m_lblZahyou->setWordWrap(false);
    m_label6 = MakeLabel(m_picture2, QString(), TwipRect(3120, 0, 1215, 255), stripFont);
    m_lblGoal = MakeLabel(m_picture2, QString(), TwipRect(4440, 0, 2175, 375), stripFont);
    for (QLabel* label : {m_lblZahyou, m_label6, m_lblGoal}) SetTextColour(label, Qt::white);
    // The position text grows to the right as the goal text does.
    m_lblZahyou->setMinimumWidth(Px(1215));
    m_lblZahyou->adjustSize();

    m_line1 = new QFrame(m_client);
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Sunken);
    m_line1->setGeometry(0, 0, Px(8610), 2);
    // Drawn on the window itself: the view and the panel cover it where they stand.
    m_line1->lower();

    m_picCon = new QWidget(m_client);
    m_picCon->setGeometry(TwipRect(6720, 120, 1935, 6135));
    // The captions were laid out for buttons without inner padding.
    m_picCon->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        const PanelActionInfo& info = kPanelActions[static_cast<std::size_t>(slot)];
        const forms::ButtonPlace& p = forms::kButtonPlaces[static_cast<std::size_t>(slot)];
        auto* button = new QPushButton(m_picCon);
        button->setGeometry(TwipRect(p.left, p.top, p.width, forms::kPanelButtonHeight));
        const int index = info.action.index;
        if (info.action.kind == PanelAction::Kind::Step) {
            m_ahead[index] = button;
            connect(button, &QPushButton::clicked, this,
                    [this, index] { m_logic->Ahead_Click(index); });
        } else {
            m_rot[index] = button;
            connect(button, &QPushButton::clicked, this,
                    [this, index] { m_logic->Rot_Click(index); });
        }
    }
    const char* planes[] = {"xy", "xz", "xw", "yz", "yw", "zw"};
    for (int i = 1; i <= 6; ++i)
        m_planeLabels[i] = MakeLabel(m_picCon, QString::fromUtf8(planes[i - 1]),
                                     TwipRect(1560, 120 + 360 * i, 375, 255), DesignFont(12, true),
                                     Qt::AlignHCenter | Qt::AlignTop);

    // As wide as the panel: a heading longer than the design's fits in other languages.
    m_label2 = MakeLabel(m_picCon, QString(), TwipRect(0, 3240, 1935, 255), DesignFont(12, true));
    const QFont houkouFont = DesignFont(9.75, true);
    struct LabelDef {
        int index, left, top, width;
    };
    const LabelDef houkou[] = {{0, 240, 3540, 1455}, {2, 600, 4020, 735}, {1, 120, 4260, 735},
                               {4, 1020, 4260, 735}, {5, 600, 4500, 735}, {3, 120, 4800, 1605},
                               {6, 120, 5100, 1575}};
    // The design caption; the direction readout replaces it before the window shows.
    const QString design = QTr(captions::kLblHoukouDesign);
    for (const LabelDef& d : houkou)
        m_houkou[d.index] =
            MakeLabel(m_picCon, design, TwipRect(d.left, d.top, d.width, 255), houkouFont);
    for (int i : {3, 6}) {
        m_houkou[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        SetTextColour(m_houkou[i], Qt::white);
        SetBackground(m_houkou[i], Qt::black);
    }
    // Right-aligned against the panel's right edge (Form_Resize keeps it there), so its last
    // character is never cut.
    m_label3 = MakeLabel(m_picCon, QString(), TwipRect(1935 - 1455, 3780, 1455, 255), houkouFont,
                         Qt::AlignRight | Qt::AlignTop);
    m_label7 = MakeLabel(m_picCon, QString(), TwipRect(0, 5340, 855, 375), DesignFont(18, true));
    m_lbltime = MakeLabel(m_picCon, QStringLiteral("0:00"), TwipRect(720, 5640, 1095, 375),
                          DesignFont(18, true), Qt::AlignRight | Qt::AlignTop);

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(999);
    connect(m_timer1, &QTimer::timeout, this, [this] { m_logic->Timer1_Timer(); });
    m_timer1->start();
}

void GameWindow::BuildMenus() {
    m_mnuFile = menuBar()->addMenu(QString());
    connect(m_mnuFile, &QMenu::aboutToShow, this,
            [this] { m_mnuFMRe->setEnabled(m_logic->mnuFile_Click()); });
    m_mnuRestart = m_mnuFile->addMenu(QString());
    m_mnuFMStart = m_mnuRestart->addAction(QString());
    m_mnuFMStart->setShortcut(Qt::Key_F5);
    connect(m_mnuFMStart, &QAction::triggered, this, [this] { m_logic->mnuFMStart_Click(); });
    m_mnuFMRe = m_mnuRestart->addAction(QString());
    m_mnuFMRe->setShortcut(Qt::Key_F6);
    // The shortcut obeys the menu's rule even when the menu was never opened.
    connect(m_mnuFMRe, &QAction::triggered, this, [this] { m_logic->mnuFMRe_Shortcut(); });
    m_mnuRestart->addSeparator();
    m_mnuTowerRestart = m_mnuRestart->addAction(QString());
    connect(m_mnuTowerRestart, &QAction::triggered, this,
            [this] { m_logic->mnuTowerRestart_Click(); });
    m_mnuFile->addSeparator();
    m_mnuFMJigen = m_mnuFile->addMenu(QString());
    for (int d = 1; d <= 3; ++d) {
        QMenu* dim = m_mnuFMJigen->addMenu(QString());
        m_dimension[d] = dim;
        // Opening a dimension's submenu chooses that dimension.
        connect(dim, &QMenu::aboutToShow, this, [this, d] { m_logic->mnuFMJJigen_Click(d); });
        m_figures[d] = dim->addMenu(QString());
        for (int f = 0; f < 2; ++f) {
            QAction* a = m_figures[d]->addAction(QString());
            m_figure[d][f] = a;
            connect(a, &QAction::triggered, this, [this, f] { m_logic->mnuFZZukei_Click(f); });
        }
        for (int level = 1; level <= 4; ++level) {
            QAction* a = dim->addAction(QString());
            m_level[d][level] = a;
            connect(a, &QAction::triggered, this,
                    [this, level] { m_logic->mnuFMMake_Click(level); });
        }
    }
    m_mnuFile->addSeparator();
    m_mnuSetDirection = m_mnuFile->addAction(QString());
    connect(m_mnuSetDirection, &QAction::triggered, this,
            [this] { m_logic->mnuSetDirection_Click(); });
    // Its caption is the auto cruise's state, which the rules set and read.
    m_mnuAutoClouse = m_mnuFile->addAction(QTr(kAutoCruiseIdle));
    connect(m_mnuAutoClouse, &QAction::triggered, this, [this] { m_logic->mnuAutoClouse_Click(); });
    // Last, so that the items above keep their places for keyboard walks.
    m_mnuFile->addSeparator();
    m_mnuMazeNumber = m_mnuFile->addAction(QString());
    connect(m_mnuMazeNumber, &QAction::triggered, this, [this] { m_logic->mnuMazeNumber_Click(); });

    m_mnuOther = menuBar()->addMenu(QString());
    m_mnuZahyou = m_mnuOther->addAction(QString());
    m_mnuZahyou->setCheckable(true);
    m_mnuZahyou->setChecked(true);
    // The check mark follows the strip, not the click.
    connect(m_mnuZahyou, &QAction::triggered, this, [this] {
        m_mnuZahyou->setChecked(!m_mnuZahyou->isChecked());
        mnuZahyou_Click();
    });
    m_mnuMap = m_mnuOther->addAction(QString());
    m_mnuMap->setCheckable(true);
    // The check mark follows the map window, not the click.
    connect(m_mnuMap, &QAction::triggered, this, [this] {
        m_mnuMap->setChecked(!m_mnuMap->isChecked());
        m_logic->mnuMap_Click();
    });
    m_mnuFit = m_mnuOther->addAction(QString());
    m_mnuFit->setObjectName("mnuFit");
    m_mnuFit->setCheckable(true);
    // The check mark follows the stored layout, not the click.
    connect(m_mnuFit, &QAction::triggered, this, [this] {
        m_mnuFit->setChecked(!m_mnuFit->isChecked());
        m_logic->mnuFit_Click();
    });
    m_mnuHRanking = m_mnuOther->addAction(QString());
    connect(m_mnuHRanking, &QAction::triggered, this, [this] { m_windows->OpenRanking(); });
    m_mnuSettings = m_mnuOther->addMenu(QString());
    // Check marks, as everywhere in the menus; the rules keep exactly one item checked.
    for (int i = 0; i < 8; ++i) {
        QAction* a = m_mnuSettings->addAction(QString());
        a->setCheckable(true);
        m_animation[i] = a;
        connect(a, &QAction::triggered, this, [this, i] { m_logic->mnuAnimation_Click(i); });
    }
    m_mnuKeys = m_mnuOther->addAction(QString());
    connect(m_mnuKeys, &QAction::triggered, this, [this] { mnuKeys_Click(); });
    m_mnuOther->addSeparator();
    for (int i = 0; i < 2; ++i) {
        QAction* a = m_mnuOther->addAction(QString::fromUtf8(captions::kLanguageNames[i]));
        a->setCheckable(true);
        m_language[i] = a;
        const text::Language language = captions::kLanguages[static_cast<std::size_t>(i)];
        connect(a, &QAction::triggered, this, [this, language] { mnuLanguage_Click(language); });
    }

    m_mnuHelp = menuBar()->addMenu(QString());
    m_mnuHHelp = m_mnuHelp->addAction(QString());
    connect(m_mnuHHelp, &QAction::triggered, this, [this] { m_windows->OpenHelp(); });
    m_mnuHVarsion = m_mnuHelp->addAction(QString());
    connect(m_mnuHVarsion, &QAction::triggered, this, [this] { m_windows->OpenVersion(); });
}

void GameWindow::RetranslateUi() {
    m_lblWait->setText(QTr(captions::kLblWait));
    m_label6->setText(QTr(captions::kLabel6));
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        QPushButton* button = PanelButton(slot);
        button->setText(QTr(kPanelActions[static_cast<std::size_t>(slot)].caption));
        FitCaption(button);
    }
    if (m_logic) ShowKeyTooltips();
    m_label2->setText(QTr(captions::kLabel2));
    m_label3->setText(QTr(captions::kLabel3));
    m_label7->setText(QTr(captions::kLabel7));

    m_mnuFile->setTitle(QTr(captions::kMnuFile));
    m_mnuRestart->setTitle(QTr(captions::kMnuRestart));
    m_mnuFMStart->setText(QTr(captions::kMnuFMStart));
    m_mnuFMRe->setText(QTr(captions::kMnuFMRe));
    m_mnuTowerRestart->setText(QTr(captions::kMnuTowerRestart));
    m_mnuFMJigen->setTitle(QTr(captions::kMnuFMJigen));
    for (int d = 1; d <= 3; ++d) {
        m_dimension[d]->setTitle(QTr(captions::kDimensionNames[d]));
        m_figures[d]->setTitle(QTr(captions::kMnuFigures));
        for (int f = 0; f < 2; ++f) m_figure[d][f]->setText(QTr(captions::kFigureNames[f]));
        for (int level = 1; level <= 4; ++level)
            m_level[d][level]->setText(QTr(kLevelNames[level]));
    }
    m_mnuMazeNumber->setText(QTr(captions::kMnuMazeNumber));
    m_mnuSetDirection->setText(QTr(captions::kMnuSetDirection));
    m_mnuOther->setTitle(QTr(captions::kMnuOther));
    m_mnuZahyou->setText(QTr(captions::kMnuZahyou));
    m_mnuHRanking->setText(QTr(captions::kMnuHRanking));
    m_mnuMap->setText(QTr(captions::kMnuMap));
    m_mapWindow->setWindowTitle(QTr(captions::kMnuMap));
    m_mnuFit->setText(QTr(captions::kMnuFit));
    m_mnuSettings->setTitle(QTr(captions::kMnuSettings));
    for (int i = 0; i < 8; ++i) m_animation[i]->setText(QTr(captions::kAnimationNames[i]));
    m_mnuKeys->setText(QTr(captions::kMnuKeys));
    m_language[0]->setChecked(text::CurrentLanguage() == text::Language::Japanese);
    m_language[1]->setChecked(text::CurrentLanguage() == text::Language::English);
    m_mnuHelp->setTitle(QTr(captions::kMnuHelp));
    m_mnuHHelp->setText(QTr(captions::kMnuHHelp));
    m_mnuHVarsion->setText(QTr(captions::kMnuHVarsion));
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
    return m_picClear->ShowEnding(m_deps.music, m_deps.shell, m_deps.pause);
}

void GameWindow::SetLayout(LayoutKind layout) {
    // TODO: arrange the desktop window in fit as well; until then only the choice is kept.
    m_mnuFit->setChecked(layout == LayoutKind::Fit);
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
    const double inner = m_client->height();
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
    const PanelAction action = kPanelActions[static_cast<std::size_t>(slot)].action;
    return action.kind == PanelAction::Kind::Step ? m_ahead[action.index] : m_rot[action.index];
}

void GameWindow::ShowKeyTooltips() {
    for (int slot = 0; slot < kPanelActionCount; ++slot)
        PanelButton(slot)->setToolTip(Q(PanelKeyTooltip(slot, m_logic->Keys())));
}

void GameWindow::Form_Resize() {
    if (!m_logic) return;
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
