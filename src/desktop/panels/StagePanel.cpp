#include "panels/StagePanel.h"

#include "panels/AccessibleControls.h"
#include "ui/Twips.h"

namespace quorvane {

StagePanel::StagePanel(int widthTwips, int heightTwips, QWidget* parent) : QWidget(parent) {
    InstallAccessibleControls();
    SetSizeTwips(widthTwips, heightTwips);
}

void StagePanel::SetTitle(const std::string& title) {
    setAccessibleName(QString::fromStdString(title));
}

void StagePanel::ApplyFocusOrder() {
    const QList<QWidget*> order = FocusOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void StagePanel::SetLeft(int twips) {
    left_ = twips;
    Place();
}

void StagePanel::SetTop(int twips) {
    top_ = twips;
    Place();
}

void StagePanel::SetSizeTwips(int widthTwips, int heightTwips) {
    setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void StagePanel::Place() {
    move(TwipsToPixels(left_), TwipsToPixels(top_));
}

}  // namespace quorvane
