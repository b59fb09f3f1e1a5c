#pragma once

#include <QAbstractButton>
#include <cstdint>

#include "plot/Drawing.h"

namespace quorvane {

// A square push button without caption that shows its background colour. The colour is the
// program's state for toggles and test points, so it is readable and writable as BackColor
// (0x00BBGGRR, or 0x8000000F for the button face). For screen readers the button is a toggle
// that is checked exactly while its colour is not the button face; a click never checks it by
// itself, only a new colour does.
class ColourButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)

  public:
    explicit ColourButton(QWidget* parent = nullptr);

    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t bgr);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}

  private:
    std::uint32_t backColor_ = kButtonFace;
};

}  // namespace quorvane
