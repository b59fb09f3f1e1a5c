#pragma once

#include <QString>

namespace quorvane {

// The objectName of element `index` of a control array: "Label1(7)", "cmdGraph(3)".
inline QString ArrayName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

}  // namespace quorvane
