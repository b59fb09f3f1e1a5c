#include "panels/AccessibleControls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "panels/ReadingScrollBar.h"

namespace quorvane {

namespace {

class AccessibleScrollBar : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleScrollBar(ReadingScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Bar()->ValueTextNow();
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return Bar()->value(); }
    void setCurrentValue(const QVariant& value) override { Bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return Bar()->maximum(); }
    QVariant minimumValue() const override { return Bar()->minimum(); }
    QVariant minimumStepSize() const override { return Bar()->singleStep(); }

  private:
    ReadingScrollBar* Bar() const { return static_cast<ReadingScrollBar*>(widget()); }
};

// An editable drop-down list: its name is its accessible name, its value the text in the box.
// Its children are the list that drops down and the line edit.
class AccessibleComboBox : public QAccessibleWidget {
  public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Box()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = Box()->isEditable();
        s.expandable = true;
        s.expanded = Box()->view()->isVisible();
        return s;
    }
    int childCount() const override { return Box()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
        if (index == 1 && Box()->lineEdit())
            return QAccessible::queryAccessibleInterface(Box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == Box()->view()) return 0;
        if (Box()->lineEdit() && child->object() == Box()->lineEdit()) return 1;
        return -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != showMenuAction()) {
            QAccessibleWidget::doAction(action);
        } else if (Box()->view()->isVisible()) {
            Box()->hidePopup();
        } else {
            Box()->showPopup();
        }
    }

  private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

class AccessibleReadout : public QAccessibleWidget {
  public:
    explicit AccessibleReadout(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("quorvane::ReadingScrollBar"))
        return new AccessibleScrollBar(static_cast<ReadingScrollBar*>(widget));
    if (className == QLatin1String("quorvane::SteppingComboBox"))
        return new AccessibleComboBox(static_cast<QComboBox*>(widget));
    if (className == QLatin1String("quorvane::StagePanel"))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (className == QLatin1String("quorvane::PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Chart);
    if (className == QLatin1String("quorvane::ReadoutLabel"))
        return new AccessibleReadout(static_cast<QLabel*>(widget));
    return nullptr;
}

}  // namespace

void InstallAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace quorvane
