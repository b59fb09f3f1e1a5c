#pragma once

#include <QLabel>

namespace quorvane {

// A label that shows a read-out, such as the output power. Screen readers name it by what it
// reads out (its accessible name) and read its caption as its value.
class ReadoutLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ReadoutLabel(QWidget* parent = nullptr);
};

}  // namespace quorvane
