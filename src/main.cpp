// Kestrune's entry: wires the game state, services and windows together.
#include <QApplication>

#include "ui/title_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kestrune::ui::TitleWindow title;
    title.show();
    return app.exec();
}
