#include "ui/ranking_window.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "navigation/menu_texts.h"
#include "navigation/records.h"
#include "text/catalogue.h"
#include "ui/form_widgets.h"
#include "ui/language.h"

namespace kestrune::ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const forms::Control& c, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    // Names are typed by players: shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(FormAlignment(c.align) | Qt::AlignTop);
    label->setGeometry(FormRect(c.rect));
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
    const forms::Form& form = forms::RankingForm();
    setFixedSize(TwipsToPx(form.width), TwipsToPx(form.height));
    // The game's usual face, so the Japanese headers match the game window.
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    for (size_t i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        m_names[i] = MakeLabel(this, form.Find("lblName" + n), "NON");
        m_times[i] = MakeLabel(this, form.Find("lblTime" + n), "60：00");
    }
    for (size_t i = 0; i < m_headers.size(); ++i)
        m_headers[i] = MakeLabel(this, form.Find("lblHeader" + std::to_string(i)), "");
    RetranslateUi();
}

void RankingWindow::RetranslateUi() {
    for (size_t i = 0; i < captions::kRankingHeaders.size(); ++i)
        m_headers[i]->setText(FormText(forms::RankingForm().Find("lblHeader" + std::to_string(i))));
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
    for (const forms::Control& c : forms::RankingForm().controls) {
        const QRect r = FormRect(c.rect);
        if (c.kind == forms::Kind::Line)
            painter.drawLine(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
        // Outlines cover their width and height exactly, as the table's boxes do.
        if (c.kind == forms::Kind::Box)
            painter.drawRect(r.left(), r.top(), r.width() - 1, r.height() - 1);
    }
}

}  // namespace kestrune::ui
