#pragma once

#include <QObject>
#include <cstdint>

#include "panel/PanelGeometry.h"

class QPainter;
class QPalette;

namespace quorvane {

// The colour a line or outline has until one is given: the system's window-text colour.
inline constexpr std::uint32_t kWindowTextColour = 0x80000008;

// A straight line drawn on the background of the window or of a panel. It is no widget: its
// owner paints it behind all child controls. End points are in twips, in single precision
// (halves of twips occur); the width is in pixels.
class LineControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(float X1 READ X1 WRITE SetX1)
    Q_PROPERTY(float Y1 READ Y1 WRITE SetY1)
    Q_PROPERTY(float X2 READ X2 WRITE SetX2)
    Q_PROPERTY(float Y2 READ Y2 WRITE SetY2)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(uint BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

  public:
    explicit LineControl(QObject* parent = nullptr) : QObject(parent) {}

    float X1() const { return x1_; }
    float Y1() const { return y1_; }
    float X2() const { return x2_; }
    float Y2() const { return y2_; }
    int BorderWidth() const { return width_; }
    std::uint32_t BorderColor() const { return colour_; }
    bool Visible() const { return visible_; }

    void SetX1(float twips);
    void SetY1(float twips);
    void SetX2(float twips);
    void SetY2(float twips);
    void SetEnds(float x1, float y1, float x2, float y2);
    void SetBorderWidth(int pixels);
    void SetBorderColor(std::uint32_t bgr);
    void SetVisible(bool visible);

    // Draws the line with smoothing on; horizontal and vertical lines are kept on whole pixels.
    void Paint(QPainter& painter, const QPalette& palette) const;

  Q_SIGNALS:
    // Anything that changes how the line looks.
    void Changed();

  private:
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int width_ = 1;
    std::uint32_t colour_ = kWindowTextColour;
    bool visible_ = true;
};

// A fixed rectangle or circle outline drawn on the background of the window or of a panel,
// placed in twips. A circle takes the smaller side of its bounds as its diameter, centred;
// the border lies inside the bounds.
class ShapeControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Shape READ Shape)
    Q_PROPERTY(int Left READ Left)
    Q_PROPERTY(int Top READ Top)
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(int BorderWidth READ BorderWidth)
    Q_PROPERTY(uint BorderColor READ BorderColor)
    Q_PROPERTY(bool Visible READ Visible)

  public:
    using Kind = ShapeKind;

    ShapeControl(Kind kind, int left, int top, int width, int height, int borderWidth,
                 QObject* parent = nullptr)
        : QObject(parent),
          kind_(kind),
          left_(left),
          top_(top),
          width_(width),
          height_(height),
          borderWidth_(borderWidth) {}

    int Shape() const { return static_cast<int>(kind_); }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BorderWidth() const { return borderWidth_; }
    std::uint32_t BorderColor() const { return kWindowTextColour; }
    bool Visible() const { return true; }

    void Paint(QPainter& painter, const QPalette& palette) const;

  private:
    Kind kind_;
    int left_, top_, width_, height_, borderWidth_;
};

// Paints a widget's own lines and outlines (its direct LineControl and ShapeControl children):
// outlines first, then lines, in the order they were made.
void PaintLinesAndShapes(QPainter& painter, const QObject& owner, const QPalette& palette);

}  // namespace quorvane
