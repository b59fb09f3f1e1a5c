#pragma once

// Helpers that drive a panel's controls the way a user does.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "support/FindControl.h"

// QCOMPARE compares doubles fuzzily; panel values must match exactly.
#define QCOMPARE_EXACT(actual, expected)                                                  \
    do {                                                                                  \
        const double actual_ = (actual);                                                  \
        const double expected_ = (expected);                                              \
        QVERIFY2(actual_ == expected_, qPrintable(QStringLiteral("%1 is %2, expected %3") \
                                                      .arg(QLatin1String(#actual))        \
                                                      .arg(actual_, 0, 'g', 17)           \
                                                      .arg(expected_, 0, 'g', 17)));      \
    } while (false)

namespace quorvane::testing {

inline QLineEdit* EditOf(QWidget* box) {
    if (auto* combo = qobject_cast<QComboBox*>(box)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(box);
}

// Replaces the box's text by typing: the old text is selected and typed over (or erased).
inline void TypeInto(QWidget* box, const QString& text) {
    QLineEdit* edit = EditOf(box);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// Picks an item from a drop-down list as its popup does: the item becomes current and the
// list reports the pick.
inline void Pick(QComboBox* box, const QString& item) {
    const int index = box->findText(item, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable("no item " + item));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

inline QString TextOf(const QWidget& panel, const QString& name) {
    QWidget* control = panel.findChild<QWidget*>(name);
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    return QStringLiteral("<no text control %1>").arg(name);
}

inline uint BackColorOf(const QWidget& panel, const QString& name) {
    QObject* button = panel.findChild<QAbstractButton*>(name);
    return button ? button->property("BackColor").toUInt() : 0xFFFFFFFFu;
}

// The design names of the controls that take keyboard focus, in Tab order from `first`.
inline QStringList TabOrder(QWidget& panel, const QString& first, int count) {
    panel.show();
    QWidget* current = panel.findChild<QWidget*>(first);
    current->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget* focus = panel.focusWidget();
        // An editable list may hand its focus to its line edit; name the list.
        while (focus && focus->parentWidget() != &panel)
            focus = focus->parentWidget();
        names << (focus ? focus->objectName() : QString());
        QTest::keyClick(panel.focusWidget(), Qt::Key_Tab);
    }
    return names;
}

}  // namespace quorvane::testing
