#pragma once

#include <QCheckBox>

namespace quorvane {

// A check box whose caption wraps onto further lines at word boundaries when it is wider than
// the box, as the bypass switches' captions must within their fixed width. The whole box,
// caption included, takes clicks.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT

  public:
    explicit WrappingCheckBox(QWidget* parent = nullptr) : QCheckBox(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

}  // namespace quorvane
