#pragma once

#include <QWidget>

#include "display/Drawing.h"

namespace quorvane {

// A drawing surface for the plots. It paints the last drawing it was given, at 15 twips per
// logical pixel, until it is given another one or cleared. It computes nothing itself.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The drawable area in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    void Show(Drawing drawing);
    void Cls();  // clears to the background

    const Drawing& Current() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing drawing_;
};

}  // namespace quorvane
