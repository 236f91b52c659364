#include "ui/version_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "game/links.h"
#include "game/version.h"
#include "navigation/menu_texts.h"
#include "text/catalogue.h"
#include "ui/form_widgets.h"
#include "ui/language.h"

namespace kestrune::ui {

namespace {

constexpr int Px(int twips) {
    return twips / 15;
}

QFont Face(const char* family, double points, bool bold = false) {
    QFont font(QString::fromUtf8(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A label of the About box as the windows' description has it, with its design caption.
QLabel* MakeLabel(QWidget* parent, const std::string& id) {
    const forms::Control& c = forms::VersionForm().Find(id);
    auto* label = new QLabel(FormText(c), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(FormAlignment(c.align) | Qt::AlignTop);
    label->setGeometry(FormRect(c.rect));
    label->setFont(Face(c.face, c.points, c.bold));
    return label;
}

bool ReleasedInside(const QWidget* widget, const QMouseEvent* event) {
    return widget->rect().contains(event->position().toPoint());
}

}  // namespace

QColor VersionWindow::InactiveTitleColour() {
    return QColor(128, 128, 128);
}

VersionWindow::VersionWindow(ILinkOpener& links, MessageFunction message)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_links(links),
      m_message(std::move(message)) {
    setObjectName(QStringLiteral("frmVersion"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(TwipsToPx(forms::VersionForm().width), TwipsToPx(forms::VersionForm().height));
    setMouseTracking(true);
    if (!m_message) {
        m_message = [this](const QString& text, const QString& title) {
            QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
            box.exec();
        };
    }

    const forms::Form& form = forms::VersionForm();
    m_imgIcon = new QLabel(this);
    m_imgIcon->setGeometry(FormRect(form.Find("imgIcon").rect));
    m_imgIcon->setScaledContents(true);
    // The design caption; SHOWVERSION puts the program's title in its place.
    m_lblAppName = MakeLabel(this, "lblAppName");
    m_lblBeta = MakeLabel(this, "lblBeta");
    QPalette beta = m_lblBeta->palette();
    beta.setColor(QPalette::WindowText, InactiveTitleColour());
    m_lblBeta->setPalette(beta);
    m_lblVersion = MakeLabel(this, "lblVersion");
    m_lblVersion->setText(QStringLiteral("Label3"));
    m_label3 = MakeLabel(this, "lblAuthor");
    m_label2 = MakeLabel(this, "Label2");
    m_label1 = MakeLabel(this, "Label1");
    const forms::Control& ok = form.Find("Command1");
    m_command1 = new QPushButton(FormText(ok), this);
    m_command1->setGeometry(FormRect(ok.rect));
    m_command1->setFont(Face(ok.face, ok.points));
    // OK answers the mouse only: Enter, Escape and Space leave the box open.
    m_command1->setAutoDefault(false);

    for (QWidget* control :
         std::initializer_list<QWidget*>{m_imgIcon, m_lblAppName, m_lblBeta, m_lblVersion, m_label3,
                                         m_label2, m_label1, m_command1}) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
    RetranslateUi();
    Form_Load();
}

void VersionWindow::RetranslateUi() {
    setWindowTitle(QTr(captions::kVersionTitle));
    m_label2->setText(QTr(captions::kVersionMail));
    m_label1->setText(QTr(captions::kVersionHomePage));
}

void VersionWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void VersionWindow::Form_Load() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize box = frameGeometry().size();
    move(area.x() + (area.width() - box.width()) / 2,
         area.y() + (area.height() - box.height()) / 2);
}

void VersionWindow::SHOWVERSION(const QString& strTitle, bool tmpBeta) {
    m_imgIcon->setPixmap(windowIcon().pixmap(m_imgIcon->size()));
    m_lblAppName->setText(strTitle);
    FitCentred(m_lblAppName, 945, 645);
    m_lblVersion->setText(QString::fromStdString(VersionText(CurrentVersion())));
    if (!tmpBeta) m_lblBeta->hide();
    show();
    raise();
    activateWindow();
}

void VersionWindow::ExecuteFile(const std::string& fileName) {
    m_links.Open(fileName);
}

std::string VersionWindow::HomePageAddress() const {
    return HelpPageUrl();
}

std::string VersionWindow::MailAddress() const {
    return MailLink(m_lblAppName->text().toStdString() + m_lblVersion->text().toStdString());
}

// A title wider than its label grows evenly on both sides, so it stays whole and centred.
void VersionWindow::FitCentred(QLabel* label, int designLeft, int designWidth) {
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    const int width = std::max(Px(designWidth), needed);
    label->setGeometry(Px(designLeft) + (Px(designWidth) - width) / 2, label->y(), width,
                       label->height());
}

void VersionWindow::SetLinkBold(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

void VersionWindow::SetLook(LinkFrame& frame, FrameLook look) {
    frame.look = look;
    update();
}

void VersionWindow::Form_MouseMove() {
    m_line1.visible = false;
    m_line2.visible = false;
    SetLinkBold(m_label1, false);
    SetLinkBold(m_label2, false);
    update();
}

void VersionWindow::Label1_MouseMove() {
    m_line2.visible = true;
    m_line1.visible = false;
    SetLinkBold(m_label1, true);
    SetLinkBold(m_label2, false);
    update();
}

void VersionWindow::Label2_MouseMove() {
    m_line1.visible = true;
    m_line2.visible = false;
    SetLinkBold(m_label2, true);
    SetLinkBold(m_label1, false);
    update();
}

void VersionWindow::Label1_Click() {
    const std::string address = HomePageAddress();
    if (!address.empty()) ExecuteFile(address);
}

void VersionWindow::Label2_Click() {
    ExecuteFile(MailAddress());
    SetLook(m_line1, FrameLook::Raised);
}

void VersionWindow::Command1_MouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        close();
        return;
    }
    m_message(QString::fromUtf8(captions::kVersionSecretText), QTr(captions::kVersionSecretTitle));
}

void VersionWindow::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    event->accept();
}

bool VersionWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove) {
        if (watched == m_label1)
            Label1_MouseMove();
        else if (watched == m_label2)
            Label2_MouseMove();
        else if (watched == m_command1 || watched == m_lblAppName || watched == m_lblVersion ||
                 watched == m_label3)
            Form_MouseMove();
        // The button still needs its moves to show itself pressed or not; the labels keep
        // theirs from reaching the box, whose own handler would undo the link's.
        return watched != m_command1;
    }
    if (type == QEvent::MouseButtonPress && (watched == m_label1 || watched == m_label2)) {
        m_pressedOn = watched;
        SetLook(watched == m_label1 ? m_line2 : m_line1, FrameLook::Pressed);
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == m_label1 || watched == m_label2) {
            auto* label = static_cast<QLabel*>(watched);
            const bool click = m_pressedOn == watched && mouse->button() == Qt::LeftButton &&
                               ReleasedInside(label, mouse);
            m_pressedOn = nullptr;
            SetLook(watched == m_label1 ? m_line2 : m_line1, FrameLook::Raised);
            if (click) {
                if (watched == m_label1)
                    Label1_Click();
                else
                    Label2_Click();
            }
            return true;
        }
        if (watched == m_command1 && ReleasedInside(m_command1, mouse))
            Command1_MouseUp(mouse->button());
    }
    return QWidget::eventFilter(watched, event);
}

void VersionWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor grey = InactiveTitleColour();
    const QColor white(255, 255, 255);

    // The fixed double border along the client area's edges.
    painter.setPen(grey);
    painter.drawRect(0, 0, Px(2520), Px(3300));
    painter.setPen(white);
    painter.drawRect(1, 1, Px(2520) - 2, Px(3300) - 2);

    // Raised: top and left edges light, bottom and right dark; pressed swaps them.
    const auto frame = [&](const LinkFrame& f, int top, int bottom) {
        if (!f.visible) return;
        const bool raised = f.look == FrameLook::Raised;
        const int left = Px(120);
        const int right = Px(2400);
        painter.setPen(raised ? white : grey);
        painter.drawLine(left, Px(top), right, Px(top));
        painter.drawLine(left, Px(bottom), left, Px(top));
        painter.setPen(raised ? grey : white);
        painter.drawLine(left, Px(bottom), right, Px(bottom));
        painter.drawLine(right, Px(bottom), right, Px(top));
    };
    frame(m_line1, 2280, 2520);
    frame(m_line2, 2520, 2760);
}

}  // namespace kestrune::ui
