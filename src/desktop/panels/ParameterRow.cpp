#include "panels/ParameterRow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "panels/SteppingComboBox.h"

namespace quorvane {

namespace {

QComboBox* MakeBox(QWidget* panel, const ParameterRowLayout& layout) {
    const auto read = layout.read;
    auto* box = new SteppingComboBox(
        [read](const QString& text) { return read(text.toStdString()); }, panel);
    PlaceControl(box, layout.boxName, layout.box, kBoxPoints);
    // The list is fixed: typed text is never added to it nor completed from it.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(layout.items);
    return box;
}

}  // namespace

ParameterRow::ParameterRow(QWidget* panel, const ParameterRowLayout& layout, TextRule::Rule rule)
    : QObject(panel) {
    QLabel* symbol = MakeLabel(panel, ArrayName("Label1", layout.symbolIndex), layout.symbol,
                               layout.symbolBox, kSymbolPoints);
    box_ = MakeBox(panel, layout);
    symbol->setBuddy(box_);
    FollowReadingToolTip(box_, box_->lineEdit(), layout.tip);
    unit_ = MakeLabel(panel, ArrayName("Label1", layout.unitIndex), layout.unit, layout.unitBox,
                      kBoxPoints);
    rule_ = new TextRule(box_->lineEdit(), std::move(rule));
    // A pick shows the item's text and reads it like typed text.
    connect(box_, &QComboBox::activated, this, [this](int index) { Write(box_->itemText(index)); });
}

void ParameterRow::Write(const QString& text) {
    rule_->Write(text);
}

QString ParameterRow::Text() const {
    return box_->currentText();
}

void ParameterRow::SetUnit(const QString& unit) {
    unit_->setText(unit);
}

void ParameterRow::SetName(const QString& name) {
    box_->setAccessibleName(name);
    // The line edit is what a screen reader meets inside the box.
    box_->lineEdit()->setAccessibleName(name);
}

}  // namespace quorvane
