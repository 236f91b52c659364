// The title window: the only place where the player picks practice or the tower.
#pragma once

#include <QWidget>

namespace kestrune::ui {

class TitleWindow : public QWidget {
    Q_OBJECT
public:
    explicit TitleWindow(QWidget* parent = nullptr);
};

}  // namespace kestrune::ui
