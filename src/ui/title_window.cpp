#include "ui/title_window.h"

namespace kestrune::ui {

TitleWindow::TitleWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Kestrune"));
    setFixedSize(2085 / 15, 1455 / 15);
}

}  // namespace kestrune::ui
