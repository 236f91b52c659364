#include "ui/qt_services.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QWidget>

namespace kestrune::ui {

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title) {
    // A plain Yes/No box: no question-mark icon.
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, QString::fromStdString(title),
                              QString::fromStdString(prompt), QLineEdit::Normal, QString(), &ok);
    return ok ? text.toStdString() : std::string();
}

void QtDialogs::ShowMessage(const std::string& text, const std::string& title) {
    QMessageBox::warning(m_parent, QString::fromStdString(title), QString::fromStdString(text));
}

void QtDialogs::Beep() {
    QApplication::beep();
}

void QtFramePacer::WaitFrame() {
    double hz = 60.0;
    if (m_widget && m_widget->screen() && m_widget->screen()->refreshRate() >= 20.0)
        hz = m_widget->screen()->refreshRate();
    const qint64 periodUs = static_cast<qint64>(1e6 / hz);
    if (m_sinceLastFrame.isValid()) {
        const qint64 spent = m_sinceLastFrame.nsecsElapsed() / 1000;
        // Within an animation, hold the picture for what is left of the period; a picture
        // that follows a long pause starts a new animation and is held for a whole period.
        if (spent < periodUs)
            QThread::usleep(static_cast<unsigned long>(periodUs - spent));
        else if (spent > 4 * periodUs)
            QThread::usleep(static_cast<unsigned long>(periodUs));
    } else {
        QThread::usleep(static_cast<unsigned long>(periodUs));
    }
    m_sinceLastFrame.start();
}

}  // namespace kestrune::ui
