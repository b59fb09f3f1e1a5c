#include "display/PlotGroup.h"

#include "display/PictureBox.h"

namespace quorvane {

// Placeholder until the plot core lands: the pictures are only cleared.
struct PlotGroup::State {};

PlotGroup::PlotGroup(const PlotGroupWidgets& widgets) : widgets_(widgets), state_(new State) {}
PlotGroup::~PlotGroup() { delete state_; }

void PlotGroup::PlotSignal(const SignalBuffer&, std::uint32_t) {}
void PlotGroup::PlotSpectrum(const SignalBuffer&, std::uint32_t) {}

void PlotGroup::Clear() {
    widgets_.picSignal->Cls();
    widgets_.picSpectrum->Cls();
}

}  // namespace quorvane
