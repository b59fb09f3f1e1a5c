#pragma once

#include <QComboBox>
#include <functional>
#include <vector>

namespace quorvane {

// An editable drop-down list that steps from the value its box shows. The text in the box is what
// counts: the list's current item is the one whose value equals the value read from the text (or
// none), and Up, Down, Page Up, Page Down, the wheel and the opened list all start from there.
// The wheel acts only while the box has keyboard focus; otherwise it passes on to the window.
class SteppingComboBox : public QComboBox {
    Q_OBJECT

  public:
    // Reads a text the way the box's own rule does (units and words included).
    using ValueReader = std::function<double(const QString&)>;

    SteppingComboBox(ValueReader read, QWidget* parent = nullptr);

    // The item whose value the box shows, or -1.
    int CurrentItem() const;

    // Opens the list with the item the box shows marked, or none.
    void showPopup() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Picks the item one step up (-1) or down (+1) from the shown value, as a pick from the list.
    void Step(int direction);
    std::vector<double> ItemValues() const;

    ValueReader read_;
};

}  // namespace quorvane
