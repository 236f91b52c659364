// The pictures compiled into the windows' library load from the resource paths the windows use.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

// The title window's tower picture: 48 x 48 with a palette of at most 256 colours.
TEST(Resources, TowerPictureIsA48PixelPalettePicture) {
    QImage tower(QStringLiteral(":/tower.png"));
    ASSERT_FALSE(tower.isNull()) << "resource :/tower.png is missing from the binary";
    EXPECT_EQ(tower.size(), QSize(48, 48));
    EXPECT_EQ(tower.format(), QImage::Format_Indexed8);
    EXPECT_LE(tower.colorCount(), 256);
    EXPECT_GT(tower.colorCount(), 8);  // a drawn picture, not a blank square
}

TEST(Resources, WindowIconLoadsAtFullSize) {
    QImage icon(QStringLiteral(":/kestrune.png"));
    ASSERT_FALSE(icon.isNull()) << "resource :/kestrune.png is missing from the binary";
    EXPECT_EQ(icon.size(), QSize(256, 256));
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);        // rounded corner stays clear
    EXPECT_EQ(qAlpha(icon.pixel(128, 128)), 255);  // the tile itself is opaque
    EXPECT_FALSE(QIcon(QStringLiteral(":/kestrune.png")).isNull());
}
