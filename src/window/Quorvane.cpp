#include "window/Quorvane.h"

namespace quorvane {

Quorvane::Quorvane(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Quorvane");
}

}  // namespace quorvane
