// The game window's drawing surface: which pixels rectangles and polygons cover, clipping,
// colour clamping, and both views painted into it.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "render/plain_view.h"
#include "render/smooth_view.h"
#include "render/view_state.h"
#include "render_scenes.h"
#include "ui/qimage_canvas.h"

namespace kestrune {
namespace {

using ui::QImageCanvas;

constexpr QRgb kBlackPixel = 0xff000000u;

QRgb Pixel(const QImageCanvas& c, int x, int y) {
    return c.image().pixel(x, y);
}
QRgb Rgb(int r, int g, int b) {
    return qRgb(r, g, b);
}
int CountPixels(const QImageCanvas& c, QRgb colour) {
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) n += Pixel(c, x, y) == colour;
    return n;
}

TEST(QImageCanvas, StartsBlackAndClearsToBlack) {
    QImageCanvas c(20, 10);
    EXPECT_EQ(c.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(c.Width(), 20);
    EXPECT_EQ(c.Height(), 10);
    EXPECT_EQ(CountPixels(c, kBlackPixel), 200);
    c.SetFillColour(MakeColour(255, 255, 255));
    c.SetPenColour(MakeColour(255, 255, 255));
    c.Rectangle(0, 0, 20, 10);
    EXPECT_EQ(CountPixels(c, kBlackPixel), 0);
    c.Clear();
    EXPECT_EQ(CountPixels(c, kBlackPixel), 200);
}

TEST(QImageCanvas, RectangleLeavesRightAndBottomEdgesOut) {
    QImageCanvas c(12, 12);
    c.SetFillColour(MakeColour(10, 20, 30));
    c.SetPenColour(c.FillColour());
    c.Rectangle(2, 3, 5, 7);
    EXPECT_EQ(Pixel(c, 2, 3), Rgb(10, 20, 30));
    EXPECT_EQ(Pixel(c, 4, 6), Rgb(10, 20, 30));
    EXPECT_EQ(Pixel(c, 5, 6), kBlackPixel);
    EXPECT_EQ(Pixel(c, 4, 7), kBlackPixel);
    EXPECT_EQ(Pixel(c, 1, 3), kBlackPixel);
    EXPECT_EQ(Pixel(c, 2, 2), kBlackPixel);
    EXPECT_EQ(CountPixels(c, Rgb(10, 20, 30)), 3 * 4);
}

TEST(QImageCanvas, RectanglePenDrawsTheOuterRing) {
    QImageCanvas c(12, 12);
    c.SetFillColour(MakeColour(0, 0, 255));
    c.SetPenColour(MakeColour(255, 0, 0));
    c.Rectangle(1, 1, 6, 5);  // 5 x 4 pixels: a ring of 14, an inside of 3 x 2
    EXPECT_EQ(CountPixels(c, Rgb(255, 0, 0)), 14);
    EXPECT_EQ(CountPixels(c, Rgb(0, 0, 255)), 6);
    EXPECT_EQ(Pixel(c, 5, 4), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(c, 2, 2), Rgb(0, 0, 255));
}

TEST(QImageCanvas, ShapesAreCutAtTheImageEdges) {
    QImageCanvas c(445, 417);
    c.SetFillColour(MakeColour(0, 255, 0));
    c.SetPenColour(c.FillColour());
    c.Rectangle(-12, -26, -6, -20);  // wholly outside
    c.Rectangle(456, 442, 462, 448);
    EXPECT_EQ(CountPixels(c, Rgb(0, 255, 0)), 0);
    c.Rectangle(440, 410, 450, 420);  // the bottom-right corner of 5 x 7 pixels
    EXPECT_EQ(CountPixels(c, Rgb(0, 255, 0)), 5 * 7);
    EXPECT_EQ(Pixel(c, 444, 416), Rgb(0, 255, 0));
    c.Clear();
    c.Polygon({Point{-5000, -5000}, Point{5000, -5000}, Point{5000, 5000}, Point{-5000, 5000}});
    EXPECT_EQ(CountPixels(c, Rgb(0, 255, 0)), 445 * 417);
}

// The surface's colour function: components above 255 count as 255.
TEST(QImageCanvas, ComponentsAbove255PaintAs255) {
    QImageCanvas c(4, 4);
    c.SetFillColour(MakeColour(306, 0, 1020));
    EXPECT_EQ(c.FillColour(), MakeColour(255, 0, 255));
    c.SetPenColour(c.FillColour());
    c.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(Pixel(c, 3, 3), Rgb(255, 0, 255));
}

// An upright polygon covers its corner points: (2,3)-(7,8) is 6 x 6 pixels, outline in the
// pen, the inner 4 x 4 in the brush.
TEST(QImageCanvas, UprightPolygonIncludesAllFourEdges) {
    QImageCanvas c(12, 12);
    c.SetFillColour(MakeColour(0, 204, 0));
    c.SetPenColour(MakeColour(255, 255, 255));
    c.Polygon({Point{2, 3}, Point{7, 3}, Point{7, 8}, Point{2, 8}});
    EXPECT_EQ(CountPixels(c, Rgb(255, 255, 255)), 20);
    EXPECT_EQ(CountPixels(c, Rgb(0, 204, 0)), 16);
    EXPECT_EQ(Pixel(c, 7, 8), Rgb(255, 255, 255));
    EXPECT_EQ(Pixel(c, 3, 4), Rgb(0, 204, 0));
    EXPECT_EQ(Pixel(c, 8, 8), kBlackPixel);
    // Listing the corners the other way round covers the same pixels.
    QImageCanvas d(12, 12);
    d.SetFillColour(MakeColour(0, 204, 0));
    d.SetPenColour(MakeColour(255, 255, 255));
    d.Polygon({Point{2, 3}, Point{2, 8}, Point{7, 8}, Point{7, 3}});
    EXPECT_EQ(d.image(), c.image());
}

// The side face beside the player: mostly off the picture, its slanted edge a 45-degree
// line ending at (37, 23), its inside green, the picture right of it untouched.
TEST(QImageCanvas, SlantedPolygonFillsInsideAndOutlinesEdges) {
    QImageCanvas c(445, 417);
    c.SetFillColour(MakeColour(0, 204, 0));
    c.SetPenColour(MakeColour(255, 255, 255));
    c.Polygon({Point{-148, -162}, Point{-148, 580}, Point{37, 394}, Point{37, 23}});
    const QRgb pen = Rgb(255, 255, 255);
    const QRgb fill = Rgb(0, 204, 0);
    EXPECT_EQ(Pixel(c, 0, 208), fill);
    EXPECT_EQ(Pixel(c, 36, 208), fill);
    EXPECT_EQ(Pixel(c, 37, 208), pen);
    EXPECT_EQ(Pixel(c, 38, 208), kBlackPixel);
    EXPECT_EQ(Pixel(c, 37, 23), pen);
    EXPECT_EQ(Pixel(c, 36, 22), pen);
    EXPECT_EQ(Pixel(c, 36, 21), kBlackPixel);
    EXPECT_EQ(Pixel(c, 36, 23), fill);
    EXPECT_EQ(Pixel(c, 14, 0), pen);  // the upper edge is y = x - 14
    EXPECT_EQ(Pixel(c, 13, 0), fill);
    EXPECT_EQ(Pixel(c, 15, 0), kBlackPixel);
    EXPECT_EQ(Pixel(c, 36, 395), pen);  // the lower edge falls 186 pixels over 185
    EXPECT_EQ(Pixel(c, 36, 396), kBlackPixel);
    // Every pixel is one of the three colours, and the black ones are right of or beyond the
    // slanted edges.
    EXPECT_EQ(CountPixels(c, pen) + CountPixels(c, fill) + CountPixels(c, kBlackPixel), 445 * 417);
    for (int y = 0; y < 417; ++y) EXPECT_EQ(Pixel(c, 40, y), kBlackPixel) << y;
}

// A copy handed out earlier keeps its picture when the canvas paints on.
TEST(QImageCanvas, EarlierCopiesDoNotChange) {
    QImageCanvas c(8, 8);
    const QImage before = c.image();
    c.SetFillColour(MakeColour(255, 0, 0));
    c.SetPenColour(c.FillColour());
    c.Rectangle(0, 0, 8, 8);
    EXPECT_EQ(before.pixel(3, 3), kBlackPixel);
    EXPECT_EQ(c.image().pixel(3, 3), Rgb(255, 0, 0));
    // The same after clearing, and for polygons.
    const QImage red = c.image();
    c.Clear();
    c.Polygon({Point{1, 1}, Point{5, 1}, Point{3, 6}, Point{1, 4}});
    EXPECT_EQ(red.pixel(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(red.pixel(3, 3), Rgb(255, 0, 0));
    EXPECT_EQ(c.image().pixel(0, 0), kBlackPixel);
}

TEST(QImageCanvas, SmoothViewFillsEveryPixelWithItsBlockColour) {
    auto g = std::make_unique<GameState>();
    test::MakeTestMaze(*g, 3, {213, 97, 160});
    test::FaceOpenCorridor(*g);
    ViewState view;
    FillAngleTables(view);
    SetViewGeometry(view, 445, 417);
    SetSmoothMatrix(view, g->Orientation);
    QImageCanvas c(445, 417);
    DrawSmooth(*g, view, c);

    SmoothPicture picture;
    ComputeSmoothPicture(*g, view, picture);
    for (int y = 0; y < 417; ++y)
        for (int x = 0; x < 445; ++x) {
            // Block j covers x from 6 j + 222 up to 6 j + 228.
            const int j = (x - 222 + 6 * 40) / 6 - 40;
            const int i = (y - 208 + 6 * 40) / 6 - 40;
            const Colour want = picture[SmoothBlockIndex(j, i)];
            ASSERT_EQ(Pixel(c, x, y), Rgb(RedOf(want), GreenOf(want), BlueOf(want)))
                << x << "," << y;
        }
}

TEST(QImageCanvas, SmoothViewLeavesThePictureAloneWithoutASpace) {
    auto g = std::make_unique<GameState>();
    ViewState view;
    FillAngleTables(view);
    SetViewGeometry(view, 40, 30);
    SetSmoothMatrix(view, kIdentity);
    QImageCanvas c(40, 30);
    c.SetFillColour(MakeColour(9, 9, 9));
    c.SetPenColour(c.FillColour());
    c.Rectangle(0, 0, 40, 30);
    const QImage before = c.image().copy();
    DrawSmooth(*g, view, c);
    EXPECT_EQ(c.image(), before);
}

TEST(QImageCanvas, PlainViewPaintsTheSquareAhead) {
    auto g = std::make_unique<GameState>();
    test::MakeEmptyBox(*g, {10, 10, 10, 10});
    test::SetCell(*g, {11, 10, 10, 10}, CellWall);
    QImageCanvas c(445, 417);
    DrawPlainView(*g, c);
    EXPECT_EQ(Pixel(c, 222, 208), Rgb(0, 204, 0));
    EXPECT_EQ(Pixel(c, 37, 23), kBlackPixel);  // outline
    EXPECT_EQ(Pixel(c, 408, 394), kBlackPixel);
    EXPECT_EQ(Pixel(c, 38, 24), Rgb(0, 204, 0));
    EXPECT_EQ(Pixel(c, 407, 393), Rgb(0, 204, 0));
    EXPECT_EQ(CountPixels(c, Rgb(0, 204, 0)), 370 * 370);
}

}  // namespace
}  // namespace kestrune
