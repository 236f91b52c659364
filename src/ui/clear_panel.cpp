#include "ui/clear_panel.h"

#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <cmath>
#include <utility>

#include "game/links.h"
#include "game/pause.h"
#include "media/audio.h"
#include "navigation/menu_texts.h"
#include "text/catalogue.h"
#include "ui/form_widgets.h"
#include "ui/language.h"

namespace kestrune::ui {

namespace {

void MakeBlack(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* MakeText(QWidget* parent, const forms::Control& c) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(FormAlignment(c.align) | Qt::AlignTop);
    label->setGeometry(FormRect(c.rect));
    QFont font(QString::fromUtf8(kPanelFontFamily));
    font.setPointSizeF(c.points);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

}  // namespace

ClearPanel::ClearPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picClear"));
    MakeBlack(this);
    const forms::Form& form = forms::ClearPanelForm();
    setGeometry(0, 0, TwipsToPx(form.width), TwipsToPx(form.height));

    m_picEnding = new QWidget(this);
    m_picEnding->setObjectName(QStringLiteral("picEnding"));
    MakeBlack(m_picEnding);
    m_picEnding->setGeometry(FormRect(form.Find("picEnding").rect));

    m_label4 = MakeText(m_picEnding, form.Find("Label4"));
    m_label5[0] = MakeText(m_picEnding, form.Find("Label5_0"));
    m_label5[1] = MakeText(m_picEnding, form.Find("Label5_1"));
    RetranslateUi();
    hide();
}

void ClearPanel::RetranslateUi() {
    m_label4->setText(QTr(captions::kLabel4));
    if (m_ending) {
        for (int i = 0; i < kEndingLineCount; ++i)
            if (QLabel* line = Label5(i)) line->setText(QString::fromStdString(EndingLineText(i)));
        return;
    }
    m_label5[0]->setText(QTr(captions::kLabel5Great));
    // The clear time, once there is one, is the game's to say again.
    if (!m_clearTimeShown) m_label5[1]->setText(QTr(captions::kLabel5ClearTime));
}

void ClearPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void ClearPanel::SetScale(double scale) {
    // The ending places its lines from the first one's place and height: it keeps the size it
    // started with.
    if (m_ending || scale == m_scale) return;
    m_scale = scale;
    const forms::Form& form = forms::ClearPanelForm();
    const auto scaled = [scale](const forms::Rect& r) {
        return QRect(static_cast<int>(std::lround(r.left * scale / forms::kTwipsPerPixel)),
                     static_cast<int>(std::lround(r.top * scale / forms::kTwipsPerPixel)),
                     static_cast<int>(std::lround(r.width * scale / forms::kTwipsPerPixel)),
                     static_cast<int>(std::lround(r.height * scale / forms::kTwipsPerPixel)));
    };
    resize(scaled({0, 0, form.width, form.height}).size());
    m_picEnding->setGeometry(scaled(form.Find("picEnding").rect));
    const std::pair<QLabel*, const char*> texts[] = {
        {m_label4, "Label4"}, {m_label5[0], "Label5_0"}, {m_label5[1], "Label5_1"}};
    for (const auto& [label, id] : texts) {
        const forms::Control& c = form.Find(id);
        label->setGeometry(scaled(c.rect));
        QFont font = label->font();
        font.setPointSizeF(c.points * scale);
        label->setFont(font);
    }
}

void ClearPanel::SetClearTimeCaption(const QString& caption) {
    m_clearTimeShown = true;
    m_label5[1]->setText(caption);
}

QLabel* ClearPanel::Label5(int index) const {
    if (index < 0 || index >= kEndingLineCount) return nullptr;
    return m_label5[static_cast<size_t>(index)];
}

bool ClearPanel::ShowEnding(IMusic& music, ILinkOpener& links, IPause& pause) {
    m_ending = true;
    return PlayEnding(*this, music, links, pause);
}

// The texts ignore the mouse, so a press anywhere on the panel arrives here.
void ClearPanel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClearPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) emit clicked();
}

void ClearPanel::CreateLine(int index) {
    QLabel*& line = m_label5[static_cast<size_t>(index)];
    if (line) return;
    const QLabel* first = m_label5[0];
    line = new QLabel(first->text(), m_picEnding);
    line->setTextFormat(first->textFormat());
    line->setAlignment(first->alignment());
    line->setGeometry(first->geometry());
    line->setFont(first->font());
    line->setPalette(first->palette());
    line->hide();
}

void ClearPanel::SetLineVisible(int index, bool visible) {
    m_label5[static_cast<size_t>(index)]->setVisible(visible);
}

int ClearPanel::LineTop(int index) const {
    return m_label5[static_cast<size_t>(index)]->y();
}

int ClearPanel::LineHeight(int index) const {
    return m_label5[static_cast<size_t>(index)]->height();
}

void ClearPanel::SetLineTop(int index, int top) {
    QLabel* line = m_label5[static_cast<size_t>(index)];
    line->move(line->x(), top);
}

void ClearPanel::SetLineFontSize(int index, double points) {
    QLabel* line = m_label5[static_cast<size_t>(index)];
    QFont font = line->font();
    font.setPointSizeF(points * m_scale);
    line->setFont(font);
}

void ClearPanel::SetLineText(int index, const std::string& text) {
    m_label5[static_cast<size_t>(index)]->setText(QString::fromStdString(text));
}

void ClearPanel::SetEndingHeight(int height) {
    m_picEnding->resize(m_picEnding->width(), height);
}

void ClearPanel::SetEndingTop(int top) {
    m_picEnding->move(m_picEnding->x(), top);
}

void ClearPanel::ShowPanel() {
    show();
}

void ClearPanel::RepaintPanel() {
    repaint();
}

}  // namespace kestrune::ui
