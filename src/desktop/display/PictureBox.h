#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <functional>
#include <string>

#include "plot/Drawing.h"

class QPainter;

namespace quorvane {

// A drawing surface for the plots. It paints the last drawing it was given, at 15 twips per
// logical pixel, until it is given another one or cleared. It computes nothing itself; what it
// shows under the pointer comes from a hover-text provider, and the text "Copy Data" puts on
// the clipboard from a data provider, and the picture "Copy Picture" puts there from a picture
// provider. Its context menu (also reached from the keyboard, as the picture takes focus) offers
// "Copy Picture" and "Copy Data".
class PictureBox : public QWidget {
    Q_OBJECT

  public:
    // The text to show for the point (x, y) in twips; an empty text shows nothing.
    using HoverTextProvider = std::function<std::string(double xTwips, double yTwips)>;
    // The data of the present drawing as tab-separated text.
    using DataProvider = std::function<std::string()>;
    // What to copy as the picture.
    using PictureProvider = std::function<QImage()>;

    explicit PictureBox(QWidget* parent = nullptr);

    // The drawable area in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    void Show(Drawing drawing);
    void Cls();  // clears to the background

    const Drawing& Current() const { return drawing_; }

    // Shows the provider's text as a tooltip that follows the pointer; an empty provider
    // shows none.
    void SetHoverTextProvider(HoverTextProvider provider);
    // The text the tooltip shows with the pointer at (x, y) in logical pixels.
    QString HoverTextAt(QPointF pixel) const;

    void SetDataProvider(DataProvider provider) { data_ = std::move(provider); }
    void SetPictureProvider(PictureProvider provider) { picture_ = std::move(provider); }
    // The picture provider's image onto the clipboard; without one, the picture itself at the
    // screen's device pixel ratio.
    void CopyPicture();
    // The data provider's text onto the clipboard.
    void CopyData();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void ShowHoverText();

    Drawing drawing_;
    HoverTextProvider hoverText_;
    DataProvider data_;
    PictureProvider picture_;
    QPointF pointer_;  // last pointer position over the picture, in logical pixels
    bool pointerInside_ = false;
};

// Paints a drawing's lines as a picture shows them, twips from the painter's origin.
void PaintDrawing(QPainter& painter, const Drawing& drawing, const QPalette& palette);

}  // namespace quorvane
