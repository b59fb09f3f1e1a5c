#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <string_view>

#include "panel/NumberText.h"
#include "panels/PanelKit.h"
#include "texts/ToolTips.h"

class QComboBox;
class QLabel;

namespace quorvane {

// Where a parameter row stands and what it offers.
struct ParameterRowLayout {
    int symbolIndex;  // index in the panel's label array Label1
    QString symbol;
    TwipBox symbolBox;
    QString boxName;
    TwipBox box;
    QStringList items;
    int unitIndex;
    QString unit;
    TwipBox unitBox;
    BoxKind tip;  // what the tooltip explains and how it reads the text
    // Reads a text as the row's rule does, so the list can step from the value the box shows.
    double (*read)(std::string_view text) = &ParseLeadingNumber;
};

// One parameter of a chain stage: a symbol label, an editable drop-down list and a unit label.
// The list offers fixed items, but any text may be typed; the text in the box is what the
// parameter is read from. Typing, a pick from the list and a write by the panel all run the
// row's rule, which sets the panel's field from the text and never rewrites the text.
class ParameterRow : public QObject {
    Q_OBJECT

  public:
    ParameterRow(QWidget* panel, const ParameterRowLayout& layout, TextRule::Rule rule);

    // Shows `text` in the box and runs the rule, also when the text is unchanged.
    void Write(const QString& text);
    QString Text() const;
    void SetUnit(const QString& unit);
    // The name screen readers give the box.
    void SetName(const QString& name);
    QComboBox* Box() const { return box_; }

  private:
    QComboBox* box_;
    QLabel* unit_;
    TextRule* rule_;
};

}  // namespace quorvane
