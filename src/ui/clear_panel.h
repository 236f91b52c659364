// The clear panel picClear of the game window: "CLEAR!!" and the clear time after a practice
// maze, and the scrolling text of the tower ending.
#pragma once

#include <QWidget>
#include <array>

#include "navigation/ending.h"

class QLabel;

namespace kestrune {
class IMusic;
class IPause;
class ILinkOpener;
}  // namespace kestrune

namespace kestrune::ui {

// Design font of the panel's texts; the application maps it to an installed face.
inline constexpr const char* kPanelFontFamily = "ＭＳ Ｐゴシック";

class ClearPanel final : public QWidget, private IEndingPanel {
    Q_OBJECT
public:
    // Hidden at first; the game window places it (centred in its view) and shows it.
    explicit ClearPanel(QWidget* parent = nullptr);

    // Label5(1): "Clear time" until a clear replaces it.
    void SetClearTimeCaption(const QString& caption);
    // The panel, its lines and their faces at scale times the design's size (the fit layout).
    void SetScale(double scale);

    // The tower ending, start to end (about a minute). Returns false when `pause` reported
    // that the window is closing; the caller should then skip the staircase question.
    bool ShowEnding(IMusic& music, ILinkOpener& links, IPause& pause);

    QWidget* picEnding() const { return m_picEnding; }
    QLabel* Label4() const { return m_label4; }
    // Label5(index), nullptr for an element the ending has not created yet.
    QLabel* Label5(int index) const;

signals:
    // picClear_Click: a left click on the panel or on any of its texts. The game window
    // hides the panel in answer.
    void clicked();

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RetranslateUi();
    void CreateLine(int index) override;
    void SetLineVisible(int index, bool visible) override;
    int LineTop(int index) const override;
    int LineHeight(int index) const override;
    void SetLineTop(int index, int top) override;
    void SetLineFontSize(int index, double points) override;
    void SetLineText(int index, const std::string& text) override;
    void SetEndingHeight(int height) override;
    void SetEndingTop(int top) override;
    void ShowPanel() override;
    void RepaintPanel() override;

    QWidget* m_picEnding = nullptr;
    QLabel* m_label4 = nullptr;
    std::array<QLabel*, kEndingLineCount> m_label5{};
    bool m_pressed = false;
    bool m_clearTimeShown = false;  // Label5(1) holds a clear time, not its design caption
    bool m_ending = false;          // the lines hold the tower ending
    double m_scale = 1;
};

}  // namespace kestrune::ui
