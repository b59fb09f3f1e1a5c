#include "display/PlotGroup.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include "display/PictureBox.h"
#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"
#include "ui/Twips.h"

namespace quorvane {

namespace {

void SetCaption(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
}

// Each change of a description is announced, so an unchanged one is not set again.
void Describe(QWidget* picture, std::string_view description) {
    const QString text =
        QString::fromUtf8(description.data(), static_cast<int>(description.size()));
    if (picture->accessibleDescription() != text) picture->setAccessibleDescription(text);
}

// Twice the window's resolution: every line and letter is drawn at that resolution, not scaled.
constexpr qreal kFigureRatio = 2;

Qt::Alignment Alignment(FigureAlign align) {
    switch (align) {
        case FigureAlign::Left:
            return Qt::AlignLeft;
        case FigureAlign::Centre:
            return Qt::AlignHCenter;
        case FigureAlign::Right:
            return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// Paints a composed figure: the pictures' drawings in their boxes, clipped to them as the
// pictures clip them, then the frames, ticks and texts, in the look of the pictures.
QImage RenderFigure(const PlotGroupFigure& figure, const Drawing& time, const Drawing& spectrum,
                    const QWidget& look) {
    const QPalette& palette = look.palette();
    QImage image(QSize(TwipsToPixels(figure.width), TwipsToPixels(figure.height)) * kFigureRatio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kFigureRatio);
    image.fill(palette.color(QPalette::Button));
    QPainter painter(&image);
    const std::pair<const FigureBox*, const Drawing*> pictures[] = {
        {&figure.timePicture, &time}, {&figure.spectrumPicture, &spectrum}};
    for (const auto& [box, drawing] : pictures) {
        const QRect place = TwipRect(box->left, box->top, box->width, box->height);
        painter.save();
        painter.setClipRect(place);
        painter.translate(place.topLeft());
        PaintDrawing(painter, *drawing, palette);
        painter.restore();
    }

    QPen pen(palette.color(QPalette::WindowText));
    pen.setWidthF(1.0);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TwipLine& line : figure.axes)
        painter.drawLine(QLineF(TwipPoint(line.x1, line.y1), TwipPoint(line.x2, line.y2)));

    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const FigureText& text : figure.texts) {
        QFont font = look.font();
        font.setPixelSize(TwipsToPixels(text.fontTwips));
        font.setBold(text.bold);
        painter.setFont(font);
        painter.drawText(TwipRect(text.left, text.top, text.width, text.height),
                         static_cast<int>(Alignment(text.align) | Qt::AlignVCenter),
                         QString::fromStdString(text.text));
    }
    return image;
}

}  // namespace

// What a plot group keeps between draws: the core's model of the group, and where its pointer
// read-outs and copies learn about the lines and the test point shown.
struct PlotGroup::State {
    PlotGroupModel model;
    LineReadoutSource lineReadout;
    TitleSource title;
    QPointer<PictureBox> picSignal;
    QPointer<PictureBox> picSpectrum;
};

PlotGroup::PlotGroup(const PlotGroupWidgets& widgets) : widgets_(widgets), state_(new State) {
    State* state = state_;
    state->picSignal = widgets_.picSignal;
    state->picSpectrum = widgets_.picSpectrum;
    widgets_.picSignal->SetHoverTextProvider(
        [state](double x, double y) { return TimeHoverText(state->model.TimeHover(), x, y); });
    widgets_.picSpectrum->SetHoverTextProvider([state](double x, double y) {
        return SpectrumHoverText(state->model.SpectrumHover(), x, y, state->lineReadout);
    });
    const auto title = [state] { return state->title ? state->title() : std::string(); };
    widgets_.picSignal->SetDataProvider([state, title] {
        return TimeTraceTable(state->model.TimeSamples(), title(),
                              state->model.TimeHover().fullScale);
    });
    widgets_.picSpectrum->SetDataProvider(
        [state, title] { return SpectrumTable(state->model.Bins(), title()); });
    widgets_.picSignal->SetPictureProvider([this] { return Figure(); });
    widgets_.picSpectrum->SetPictureProvider([this] { return Figure(); });
    Describe(widgets_.picSignal, kEmptyPictureDescription);
    Describe(widgets_.picSpectrum, kEmptyPictureDescription);
}

PlotGroup::~PlotGroup() {
    // The pictures may outlive the group: they must not ask it for read-outs any more.
    for (PictureBox* picture : {state_->picSignal.data(), state_->picSpectrum.data()}) {
        if (!picture) continue;
        picture->SetHoverTextProvider({});
        picture->SetDataProvider({});
        picture->SetPictureProvider({});
    }
    delete state_;
}

void PlotGroup::PlotSignal(const SignalBuffer& signal, std::uint32_t colour) {
    PictureBox* picture = widgets_.picSignal;
    PlotGroupModel& model = state_->model;
    model.DrawTime(signal, widgets_.hscSignal->value(),
                   widgets_.chkFreeze->checkState() == Qt::Checked,
                   static_cast<double>(picture->ScaleWidth()),
                   static_cast<double>(picture->ScaleHeight()), colour);
    const PlotGroupView& view = model.View();
    SetCaption(widgets_.lblMinTime, view.lblMinTime);
    SetCaption(widgets_.lblMaxTime, view.lblMaxTime);
    SetCaption(widgets_.lblSignalMax, view.lblSignalMax);
    Describe(picture, view.timeDescription);
    picture->Show(view.time);
}

void PlotGroup::PlotSpectrum(const SignalBuffer& signal, std::uint32_t colour) {
    PictureBox* picture = widgets_.picSpectrum;
    PlotGroupModel& model = state_->model;
    const std::optional<int> centre =
        model.DrawSpectrum(signal, widgets_.hscSpectrum->value(), widgets_.hscCentre->value(),
                           static_cast<double>(picture->ScaleWidth()),
                           static_cast<double>(picture->ScaleHeight()), colour);
    if (centre) widgets_.hscCentre->setValue(*centre);
    const PlotGroupView& view = model.View();
    SetCaption(widgets_.lblMinFreq, view.lblMinFreq);
    SetCaption(widgets_.lblMaxFreq, view.lblMaxFreq);
    Describe(picture, view.spectrumDescription);
    picture->Show(view.spectrum);
}

void PlotGroup::SetLineReadout(LineReadoutSource source) {
    state_->lineReadout = std::move(source);
}

void PlotGroup::ForgetFrozenScale() {
    state_->model.ForgetFrozenScale();
}

void PlotGroup::SetTitleSource(TitleSource source) {
    state_->title = std::move(source);
}

QImage PlotGroup::Figure() const {
    return RenderFigure(FigureLayout(), widgets_.picSignal->Current(),
                        widgets_.picSpectrum->Current(), *widgets_.picSignal);
}

PlotGroupFigure PlotGroup::FigureLayout() const {
    const PictureBox& time = *widgets_.picSignal;
    const PictureBox& spectrum = *widgets_.picSpectrum;
    PlotGroupFigureInput input;
    if (state_->title) input.testPoint = state_->title();
    input.timeWidth = time.ScaleWidth();
    input.timeHeight = time.ScaleHeight();
    input.spectrumWidth = spectrum.ScaleWidth();
    input.spectrumHeight = spectrum.ScaleHeight();
    input.time = state_->model.TimeHover();
    input.spectrum = state_->model.SpectrumHover();
    return ComposePlotGroupFigure(input);
}

void PlotGroup::Clear() {
    state_->model.Clear();
    Describe(widgets_.picSignal, state_->model.View().timeDescription);
    Describe(widgets_.picSpectrum, state_->model.View().spectrumDescription);
    widgets_.picSignal->Cls();
    widgets_.picSpectrum->Cls();
}

}  // namespace quorvane
