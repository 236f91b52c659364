// The About box frmVersion: icon, title, version, a mail link and a link to the help page.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace kestrune {
class ILinkOpener;
}

namespace kestrune::ui {

// Shows a message box with an OK button only: (text, title).
using MessageFunction = std::function<void(const QString& text, const QString& title)>;

class VersionWindow final : public QWidget {
    Q_OBJECT
public:
    // `message` defaults to a QMessageBox; tests pass a recorder. Loading the box centres it
    // on the screen.
    explicit VersionWindow(ILinkOpener& links, MessageFunction message = {});

    // Icon, title, "Version 2.0.53", the beta mark when `tmpBeta`; then shown modeless.
    void SHOWVERSION(const QString& strTitle, bool tmpBeta);
    void ExecuteFile(const std::string& fileName);

    // Where the links lead: the help page, and a mail whose subject is title + version.
    std::string HomePageAddress() const;
    std::string MailAddress() const;

    enum class FrameLook { Raised, Pressed };
    // Line1 frames the mail link (Label2), Line2 the home-page link (Label1).
    bool Line1Visible() const { return m_line1.visible; }
    bool Line2Visible() const { return m_line2.visible; }
    FrameLook Line1Look() const { return m_line1.look; }
    FrameLook Line2Look() const { return m_line2.look; }

    QLabel* imgIcon() const { return m_imgIcon; }
    QLabel* lblAppName() const { return m_lblAppName; }
    QLabel* lblBeta() const { return m_lblBeta; }
    QLabel* lblVersion() const { return m_lblVersion; }
    QLabel* Label3() const { return m_label3; }
    QLabel* Label2() const { return m_label2; }
    QLabel* Label1() const { return m_label1; }
    QPushButton* Command1() const { return m_command1; }

    // The platform's inactive title-bar colour of the frames: a fixed middle grey.
    static QColor InactiveTitleColour();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct LinkFrame {
        bool visible = false;
        FrameLook look = FrameLook::Raised;
    };

    void RetranslateUi();
    void Form_Load();
    void Form_MouseMove();
    void Label1_MouseMove();
    void Label2_MouseMove();
    void Label1_Click();
    void Label2_Click();
    void Command1_MouseUp(Qt::MouseButton button);
    void SetLinkBold(QLabel* label, bool bold);
    void SetLook(LinkFrame& frame, FrameLook look);
    void FitCentred(QLabel* label, int designLeft, int designWidth);

    ILinkOpener& m_links;
    MessageFunction m_message;
    LinkFrame m_line1;
    LinkFrame m_line2;
    QObject* m_pressedOn = nullptr;

    QLabel* m_imgIcon = nullptr;
    QLabel* m_lblAppName = nullptr;
    QLabel* m_lblBeta = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label1 = nullptr;
    QPushButton* m_command1 = nullptr;
};

}  // namespace kestrune::ui
