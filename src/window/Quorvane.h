#pragma once

#include <QWidget>

namespace quorvane {

// The program's one window: the receiver's block diagram, its panels and the two plot groups.
class Quorvane : public QWidget {
    Q_OBJECT

  public:
    explicit Quorvane(QWidget* parent = nullptr);
};

}  // namespace quorvane
