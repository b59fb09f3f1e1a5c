#include "panels/ParameterRow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "panels/SteppingComboBox.h"

namespace quorvane {

namespace {

QComboBox* MakeBox(QWidget* panel, const ParameterRowPlace& place) {
    const StageBox id = place.box;
    auto* box = new SteppingComboBox(
        [id](const QString& text) { return ReadBoxValue(id, text.toStdString()); }, panel);
    PlaceControl(box, place.list);
    // The list is fixed: typed text is never added to it nor completed from it.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    for (std::string_view item : place.items)
        box->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    return box;
}

}  // namespace

ParameterRow::ParameterRow(QWidget* panel, const ParameterRowPlace& place, BoxView::Typed typed)
    : QObject(panel), place_(place) {
    QLabel* symbol = MakeLabel(panel, place.symbol);
    box_ = MakeBox(panel, place);
    symbol->setBuddy(box_);
    FollowReadingToolTip(box_, box_->lineEdit(), place.tip);
    unit_ = MakeLabel(panel, place.unit);
    view_ = new BoxView(box_->lineEdit(), std::move(typed));
    // A pick shows the item's text and reads it like typed text.
    connect(box_, &QComboBox::activated, this,
            [this](int index) { view_->Pick(box_->itemText(index)); });
}

void ParameterRow::Show(const ShownText& shown, std::string_view unit) {
    view_->Show(shown);
    unit_->setText(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
}

void ParameterRow::ShowAgain(const ShownText& shown, std::string_view unit) {
    view_->ShowAgain(shown);
    unit_->setText(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
}

void ParameterRow::SetName(const QString& name) {
    box_->setAccessibleName(name);
    // The line edit is what a screen reader meets inside the box.
    box_->lineEdit()->setAccessibleName(name);
}

}  // namespace quorvane
