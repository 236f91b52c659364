#include "ui/ranking_window.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "navigation/menu_texts.h"
#include "navigation/records.h"
#include "text/catalogue.h"
#include "ui/language.h"

namespace kestrune::ui {

namespace {

constexpr int Px(int twips) {
    return twips / 15;
}

QLabel* MakeLabel(QWidget* parent, const char* text, int left, int top, Qt::Alignment align) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    // Names are typed by players: shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align | Qt::AlignTop);
    label->setGeometry(Px(left), Px(top), Px(735), Px(255));
    return label;
}

}  // namespace

RankingWindow::RankingWindow(SettingsFile& settings, QWidget* iconSource)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_settings(settings),
      m_iconSource(iconSource) {
    setObjectName(QStringLiteral("frmRanking"));
    setFixedSize(Px(5055), Px(2385));
    // The game's usual face, so the Japanese headers match the game window.
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    for (int i = 0; i < 12; ++i) {
        const int left = 1200 + 960 * (i % 4);
        m_names[static_cast<size_t>(i)] =
            MakeLabel(this, "NON", left, 600 + 600 * (i / 4), Qt::AlignLeft);
        m_times[static_cast<size_t>(i)] =
            MakeLabel(this, "60：00", left, 840 + 600 * (i / 4), Qt::AlignRight);
    }
    for (size_t i = 0; i < captions::kRankingHeaders.size(); ++i)
        m_headers[i] = MakeLabel(this, "", captions::kRankingHeaders[i].left,
                                 captions::kRankingHeaders[i].top, Qt::AlignHCenter);
    RetranslateUi();
}

void RankingWindow::RetranslateUi() {
    for (size_t i = 0; i < captions::kRankingHeaders.size(); ++i)
        m_headers[i]->setText(QTr(captions::kRankingHeaders[i].text));
    // The caption comes with the first load.
    if (m_loaded) setWindowTitle(QTr(captions::kRankingTitle));
}

void RankingWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void RankingWindow::Form_Load() {
    if (m_iconSource) setWindowIcon(m_iconSource->windowIcon());
    m_loaded = true;
    setWindowTitle(QTr(captions::kRankingTitle));
    const auto cells = LoadRanking(m_settings);
    for (size_t i = 0; i < cells.size(); ++i) {
        m_times[i]->setText(QString::fromStdString(cells[i].time));
        m_names[i]->setText(QString::fromStdString(cells[i].name));
    }
    show();
}

void RankingWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int x : {2040, 3000, 3960}) painter.drawLine(Px(x), Px(120), Px(x), Px(2280));
    painter.drawLine(Px(120), Px(120), Px(1080), Px(480));
    // Outlines cover their width and height exactly, as the table's boxes do.
    const auto box = [&](int left, int top, int width, int height) {
        painter.drawRect(Px(left), Px(top), Px(width) - 1, Px(height) - 1);
    };
    box(120, 120, 975, 375);
    box(120, 480, 4815, 1815);
    box(1080, 120, 3855, 2175);
    box(120, 1080, 4815, 615);
}

}  // namespace kestrune::ui
