// The About box: its controls, the link frames and bold faces under the mouse, the links it
// opens, and the OK button that answers the left mouse button only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "game/links.h"
#include "settings/settings_file.h"
#include "test_support.h"
#include "ui/menu_windows.h"
#include "ui/version_window.h"

using kestrune::ui::VersionWindow;
using Look = VersionWindow::FrameLook;

namespace {

class VersionTest : public ::testing::Test {
protected:
    VersionTest()
        : window(new VersionWindow(links, [this](const QString& text, const QString& title) {
              messages.push_back({text.toStdString(), title.toStdString()});
          })) {}
    ~VersionTest() override { delete window.data(); }

    // A plain move with no button held, sent straight to the control (QTest::mouseMove
    // drops a move to the point where its last one ended).
    static void Move(QWidget* target, QPoint at = {5, 5}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }

    kestrune::test::RecordingLinkOpener links;
    std::vector<std::pair<std::string, std::string>> messages;
    QPointer<VersionWindow> window;
};

bool Bold(const QLabel* label) {
    return label->font().bold();
}

}  // namespace

TEST_F(VersionTest, ShowVersionFillsTheBox) {
    EXPECT_EQ(window->lblAppName()->text(), "テスト");
    window->SHOWVERSION(QStringLiteral("Kestrune"), false);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "バージョン情報");
    EXPECT_EQ(window->size(), QSize(169, 221));
    EXPECT_EQ(window->lblAppName()->text(), "Kestrune");
    EXPECT_EQ(window->lblVersion()->text(), "Version 2.0.53");
    EXPECT_FALSE(window->lblBeta()->isVisible());
    EXPECT_EQ(window->Label3()->text(), "Pelkin");
    EXPECT_EQ(window->Label2()->text(), "Send Mail ");
    EXPECT_EQ(window->Label1()->text(), "Visit Home Page");
    EXPECT_EQ(window->Command1()->text(), "OK");
    // The title stays whole and centred where the design label was.
    const QRect title = window->lblAppName()->geometry();
    EXPECT_GE(title.width(), window->lblAppName()->fontMetrics().horizontalAdvance("Kestrune"));
    EXPECT_LE(std::abs((title.left() + title.right()) - (63 + 105)), 1);
}

TEST_F(VersionTest, ControlsStandWhereDesignedWithTheirFaces) {
    EXPECT_EQ(window->lblVersion()->geometry(), QRect(8, 120, 153, 15));
    EXPECT_EQ(window->Label2()->geometry(), QRect(8, 152, 153, 17));
    EXPECT_EQ(window->Label1()->geometry(), QRect(8, 168, 153, 17));
    EXPECT_EQ(window->Command1()->geometry(), QRect(24, 192, 121, 25));
    EXPECT_EQ(window->Label1()->font().pointSizeF(), 11.25);
    EXPECT_EQ(window->lblBeta()->font().pointSizeF(), 27.75);
    EXPECT_TRUE(Bold(window->lblAppName()));
    EXPECT_FALSE(Bold(window->Label1()));

    window->SHOWVERSION(QStringLiteral("Kestrune"), true);
    EXPECT_TRUE(window->lblBeta()->isVisible());
}

TEST_F(VersionTest, LoadingCentresTheBoxOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->pos(), QPoint(screen.x() + (screen.width() - 169) / 2,
                                    screen.y() + (screen.height() - 221) / 2));
}

TEST_F(VersionTest, HoverShowsTheFrameAndBoldFaceOfOneLinkAtATime) {
    window->SHOWVERSION(QStringLiteral("Kestrune"), false);
    EXPECT_FALSE(window->Line1Visible());
    EXPECT_FALSE(window->Line2Visible());

    Move(window->Label1());
    EXPECT_TRUE(window->Line2Visible());
    EXPECT_FALSE(window->Line1Visible());
    EXPECT_TRUE(Bold(window->Label1()));
    EXPECT_FALSE(Bold(window->Label2()));

    Move(window->Label2());
    EXPECT_TRUE(window->Line1Visible());
    EXPECT_FALSE(window->Line2Visible());
    EXPECT_TRUE(Bold(window->Label2()));
    EXPECT_FALSE(Bold(window->Label1()));

    for (QWidget* off : std::initializer_list<QWidget*>{
             window.data(), window->Command1(), window->lblAppName(), window->lblVersion()}) {
        Move(window->Label1());
        Move(off, off == window.data() ? QPoint(4, 215) : QPoint(5, 5));
        EXPECT_FALSE(window->Line1Visible()) << off->objectName().toStdString();
        EXPECT_FALSE(window->Line2Visible());
        EXPECT_FALSE(Bold(window->Label1()));
        EXPECT_FALSE(Bold(window->Label2()));
    }
}

TEST_F(VersionTest, PressAndReleaseOnALinkShowPressedThenRaisedLook) {
    window->SHOWVERSION(QStringLiteral("Kestrune"), false);
    Move(window->Label2());
    QTest::mousePress(window->Label2(), Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(window->Line1Look(), Look::Pressed);
    EXPECT_EQ(window->Line2Look(), Look::Raised);
    QTest::mouseRelease(window->Label2(), Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(window->Line1Look(), Look::Raised);

    Move(window->Label1());
    QTest::mousePress(window->Label1(), Qt::RightButton, {}, {5, 5});
    EXPECT_EQ(window->Line2Look(), Look::Pressed);
    QTest::mouseRelease(window->Label1(), Qt::RightButton, {}, {5, 5});
    EXPECT_EQ(window->Line2Look(), Look::Raised);
    EXPECT_TRUE(window->Line2Visible());

    // Moving off onto the empty area removes frame and bold face.
    Move(window.data(), {4, 215});
    EXPECT_FALSE(window->Line2Visible());
    EXPECT_FALSE(Bold(window->Label1()));
}

TEST_F(VersionTest, FramesAreDrawnLightAboveAndDarkBelowThenSwappedWhenPressed) {
    window->SHOWVERSION(QStringLiteral("Kestrune"), false);
    const QColor white(255, 255, 255);
    const QColor grey = VersionWindow::InactiveTitleColour();
    const QColor paper = window->palette().color(QPalette::Window);
    ASSERT_NE(paper, grey);

    EXPECT_EQ(window->grab().toImage().pixelColor(80, 152), paper);
    Move(window->Label2());
    QImage image = window->grab().toImage();
    EXPECT_EQ(image.pixelColor(80, 152), white);  // top
    EXPECT_EQ(image.pixelColor(8, 160), white);   // left
    EXPECT_EQ(image.pixelColor(80, 168), grey);   // bottom
    EXPECT_EQ(image.pixelColor(160, 160), grey);  // right

    QTest::mousePress(window->Label2(), Qt::LeftButton, {}, {5, 5});
    image = window->grab().toImage();
    EXPECT_EQ(image.pixelColor(80, 152), grey);
    EXPECT_EQ(image.pixelColor(8, 160), grey);
    EXPECT_EQ(image.pixelColor(80, 168), white);
    EXPECT_EQ(image.pixelColor(160, 160), white);
    QTest::mouseRelease(window->Label2(), Qt::LeftButton, {}, {5, 5});

    Move(window->Label1());
    image = window->grab().toImage();
    EXPECT_EQ(image.pixelColor(80, 152), paper);  // the mail frame is gone
    EXPECT_EQ(image.pixelColor(80, 168), white);  // the home-page frame's top
    EXPECT_EQ(image.pixelColor(80, 184), grey);   // and its bottom
}

TEST_F(VersionTest, MailLinkCarriesTitleAndVersionUnencoded) {
    window->SHOWVERSION(QStringLiteral("Kestrune"), false);
    Move(window->Label2());
    QTest::mouseClick(window->Label2(), Qt::LeftButton, {}, {5, 5});
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], "mailto:?subject=KestruneVersion 2.0.53");
    EXPECT_EQ(window->Line1Look(), Look::Raised);

    // Only a left click on the label opens it.
    QTest::mouseClick(window->Label2(), Qt::RightButton, {}, {5, 5});
    QTest::mousePress(window->Label2(), Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(window->Label2(), Qt::LeftButton, {}, {5, 40});
    EXPECT_EQ(links.opened.size(), 1u);
}

TEST_F(VersionTest, HomePageLinkOpensTheHelpPage) {
    kestrune::test::TempDir dir;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::ofstream(dir.file("kestrune.html")) << "<html></html>";
    QTest::mouseClick(window->Label1(), Qt::LeftButton, {}, {5, 5});
    std::filesystem::current_path(old);
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], kestrune::FileUrl(dir.file("kestrune.html")));
}

TEST_F(VersionTest, OkClosesOnLeftReleaseOnly) {
    window->SHOWVERSION(QStringLiteral("Kestrune"), false);
    QPushButton* ok = window->Command1();
    ok->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
        QTest::keyClick(ok, key);
        QTest::keyClick(window.data(), key);
        EXPECT_TRUE(window->isVisible()) << key;
    }
    EXPECT_TRUE(messages.empty());

    QTest::mouseClick(ok, Qt::RightButton, {}, {10, 10});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Version 9 Brenvik");
    EXPECT_EQ(messages[0].second, "バージョン情報表示フォーム");
    QTest::mouseClick(ok, Qt::MiddleButton, {}, {10, 10});
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(window->isVisible());

    QTest::mouseClick(ok, Qt::LeftButton, {}, {10, 10});
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);  // unloaded
    EXPECT_EQ(messages.size(), 2u);
}

TEST(VersionMenu, MenuShowsKestruneWithTheGameIconAndReusesAnOpenBox) {
    kestrune::test::TempDir dir;
    kestrune::SettingsFile settings;
    settings.SetSettingsPath(dir.file("kestrune.ini"));
    kestrune::test::RecordingLinkOpener links;
    QWidget game;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::blue);
    game.setWindowIcon(QIcon(pixmap));
    kestrune::ui::MenuWindows windows(settings, links, &game,
                                      [](const QString&, const QString&) {});

    windows.OpenVersion();
    QPointer<VersionWindow> box = windows.Version();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->lblAppName()->text(), "Kestrune");
    EXPECT_FALSE(box->lblBeta()->isVisible());
    EXPECT_FALSE(box->windowIcon().isNull());
    EXPECT_FALSE(box->imgIcon()->pixmap().isNull());
    EXPECT_EQ(box->imgIcon()->grab().toImage().pixelColor(80, 80), QColor(Qt::blue));

    windows.OpenVersion();
    EXPECT_EQ(windows.Version(), box.data());

    box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(box);
    windows.OpenVersion();
    EXPECT_TRUE(windows.Version());
}
