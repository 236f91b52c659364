// A drawing surface that only writes down what it is asked to draw.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "render/canvas.h"

namespace kestrune::test {

// One polygon or rectangle with the brush and pen it was drawn with.
struct DrawnShape {
    bool rectangle = false;
    Quad points{};  // the corners of a polygon; for a rectangle left/top, right/bottom
    Colour fill = 0;
    Colour pen = 0;
};

class RecordingCanvas final : public ICanvas {
public:
    RecordingCanvas(int width, int height) : m_width(width), m_height(height) {}

    // Every call in order, as text: "clear", "fill 00cc00", "pen 000000",
    // "polygon 37,23 408,23 408,394 37,394", "rect -12,-26 -6,-20". Colours are
    // written blue, green, red as two hex digits each, like the packed value.
    std::vector<std::string> calls;
    std::vector<DrawnShape> shapes;
    int clears = 0;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Clear() override {
        ++clears;
        calls.push_back("clear");
    }
    void SetFillColour(Colour colour) override {
        m_fill = colour;
        calls.push_back("fill " + Hex(colour));
    }
    Colour FillColour() const override { return m_fill; }
    void SetPenColour(Colour colour) override {
        m_pen = colour;
        calls.push_back("pen " + Hex(colour));
    }
    void Polygon(const Quad& p) override {
        calls.push_back("polygon " + Text(p[0]) + " " + Text(p[1]) + " " + Text(p[2]) + " " +
                        Text(p[3]));
        shapes.push_back({false, p, m_fill, m_pen});
    }
    void Rectangle(int left, int top, int right, int bottom) override {
        calls.push_back("rect " + Text({left, top}) + " " + Text({right, bottom}));
        shapes.push_back({true, {Point{left, top}, Point{right, bottom}, {}, {}}, m_fill, m_pen});
    }

    std::vector<DrawnShape> Polygons() const {
        std::vector<DrawnShape> out;
        for (const auto& s : shapes)
            if (!s.rectangle) out.push_back(s);
        return out;
    }

    static std::string Hex(Colour c) {
        char text[8];
        std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(c));
        return text;
    }
    static std::string Text(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

private:
    int m_width;
    int m_height;
    Colour m_fill = 0;
    Colour m_pen = 0;
};

}  // namespace kestrune::test
