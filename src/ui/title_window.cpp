#include "ui/title_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "game/tower_file.h"
#include "navigation/menu_texts.h"
#include "ui/form_widgets.h"
#include "ui/language.h"

namespace kestrune::ui {

namespace {
QRect Place(const char* id) {
    return FormRect(forms::TitleForm().Find(id).rect);
}
}  // namespace

TitleWindow::TitleWindow(GameState& state, std::string towerPath, QWidget* parent)
    : QWidget(parent), m_state(state), m_towerPath(std::move(towerPath)) {
    setWindowTitle(QStringLiteral("Kestrune"));
    setFixedSize(TwipsToPx(forms::TitleForm().width), TwipsToPx(forms::TitleForm().height));

    m_cmdTower = new QPushButton(this);
    m_cmdTower->setGeometry(Place("cmdTower"));
    // The tower picture with its label sits over the tower button; clicking it is the same.
    m_picture1 = new QLabel(this);
    m_picture1->setGeometry(Place("picture1"));
    m_picture1->setPixmap(QPixmap(QStringLiteral(":/tower.png")));
    m_picture1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label1 = new QLabel(m_picture1);
    m_label1->setGeometry(Place("label1"));
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_cmdPractice = new QPushButton(this);
    m_cmdPractice->setGeometry(Place("cmdPractice"));
    RetranslateUi();

    connect(m_cmdTower, &QPushButton::clicked, this, &TitleWindow::cmdTower_Click);
    connect(m_cmdPractice, &QPushButton::clicked, this, &TitleWindow::cmdPractice_Click);
    m_picture1->installEventFilter(this);
    m_label1->installEventFilter(this);
}

void TitleWindow::RetranslateUi() {
    m_label1->setText(FormText(forms::TitleForm().Find("label1")));
    m_cmdPractice->setText(FormText(forms::TitleForm().Find("cmdPractice")));
}

void TitleWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void TitleWindow::cmdPractice_Click() {
    m_state.GameMode = kModePractice;
    UnloadByProgram();
}

void TitleWindow::cmdTower_Click() {
    m_state.GameMode = kModeTower;
    ReadTowerFile(m_towerPath, m_state);
    UnloadByProgram();
}

void TitleWindow::UnloadByProgram() {
    m_unloadingByProgram = true;
    close();
    emit decided();
}

bool TitleWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_picture1 || watched == m_label1) &&
        event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
            cmdTower_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleWindow::closeEvent(QCloseEvent* event) {
    // Any close but the program's own after a choice means: quit.
    if (!m_unloadingByProgram) {
        m_state.GameMode = kModeQuit;
        emit decided();
    }
    event->accept();
}

}  // namespace kestrune::ui
