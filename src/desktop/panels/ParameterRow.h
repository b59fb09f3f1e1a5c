#pragma once

#include <QObject>
#include <QString>
#include <string_view>

#include "panel/PanelGeometry.h"
#include "panels/PanelKit.h"

class QComboBox;
class QLabel;

namespace quorvane {

// The view of one parameter of a chain stage: a symbol label, an editable drop-down list and a
// unit label, placed by the row's table. Typing and a pick from the list are forwarded to the
// panel's state; Show() puts what the state shows into the box and the unit label.
class ParameterRow : public QObject {
    Q_OBJECT

  public:
    ParameterRow(QWidget* panel, const ParameterRowPlace& place, BoxView::Typed typed);

    void Show(const ShownText& shown, std::string_view unit);
    // Shows them whatever the box showed before (BoxView::ShowAgain).
    void ShowAgain(const ShownText& shown, std::string_view unit);
    // The name screen readers give the box.
    void SetName(const QString& name);
    QComboBox* Box() const { return box_; }
    const ParameterRowPlace& Place() const { return place_; }

  private:
    const ParameterRowPlace& place_;
    QComboBox* box_;
    QLabel* unit_;
    BoxView* view_;
};

}  // namespace quorvane
