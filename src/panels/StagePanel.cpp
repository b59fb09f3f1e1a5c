#include "panels/StagePanel.h"

#include "panels/Twips.h"

namespace quorvane {

StagePanel::StagePanel(int widthTwips, int heightTwips, QWidget* parent) : QWidget(parent) {
    SetSizeTwips(widthTwips, heightTwips);
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
