#pragma once

// Finds the controls of a panel or of the window by their design names, the way tests and tools
// drive the program.

#include <QObject>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "ui/ArrayName.h"

namespace quorvane::testing {

// The child control with that objectName. A missing one is a broken test, not a failed
// expectation: the run ends at once, naming the control, instead of crashing later on null.
template <class T = QObject>
T* Find(const QObject& root, const QString& name) {
    T* found = root.findChild<T*>(name);
    if (!found) {
        std::fprintf(stderr, "no control named %s under %s\n", qPrintable(name),
                     qPrintable(root.objectName()));
        std::abort();
    }
    return found;
}

// Element `index` of a control array: Name("cmdGraph", 3) is "cmdGraph(3)".
inline QString Name(const char* control, int index) {
    return ArrayName(control, index);
}

}  // namespace quorvane::testing
