#pragma once

#include <QLabel>
#include <QObject>
#include <QString>
#include <QWidget>

#include "panels/StagePanel.h"
#include "support/FindControl.h"

namespace quorvane::probe {

// The nine stage panels in the order the tick tries them.
inline const QStringList& StageNames() {
    static const QStringList names = {
        "FilterControl1(0)", "FilterControl1(1)",    "FilterControl1(2)",
        "FilterControl1(3)", "MixerControl1(0)",     "MixerControl1(1)",
        "MixerControl1(2)",  "AmplifierControl1(0)", "AmplifierControl1(1)"};
    return names;
}

inline QList<int> StageLefts(const QObject& window) {
    QList<int> lefts;
    for (const QString& name : StageNames())
        lefts << testing::Find<StagePanel>(window, name)->Left();
    return lefts;
}

// The output power the window shows in watts, or -1 when the caption holds no number.
inline double ShownPower(const QObject& window) {
    const QString text = testing::Find<QLabel>(window, "lblPowerOut")->text();
    return text.startsWith("Pout = ") ? text.mid(7).toDouble() : -1.0;
}

}  // namespace quorvane::probe
