#include "window/ReadoutLabel.h"

#include "panels/AccessibleControls.h"

namespace quorvane {

ReadoutLabel::ReadoutLabel(QWidget* parent) : QLabel(parent) {
    InstallAccessibleControls();
}

}  // namespace quorvane
