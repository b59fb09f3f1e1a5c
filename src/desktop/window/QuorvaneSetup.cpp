// Lab setups: the window's settings read as a setup and set from one, "Copy Setup",
// "Paste Setup" and the ready experiments.

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QShortcut>

#include "display/PictureBox.h"
#include "display/PlotGroup.h"
#include "panels/AmplifierControl.h"
#include "panels/ColourButton.h"
#include "panels/FilterControl.h"
#include "panels/MixerControl.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "panels/SteppingComboBox.h"
#include "setup/Experiments.h"
#include "setup/PanelSetups.h"
#include "setup/SetupActions.h"
#include "setup/SetupText.h"
#include "texts/TextWrap.h"
#include "window/Balloon.h"
#include "window/PlotGroupControls.h"
#include "window/Quorvane.h"

namespace quorvane {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QAction* MakeAction(QObject* parent, std::string_view text, std::string_view tip) {
    auto* action = new QAction(Text(text), parent);
    action->setToolTip(Text(WrapText(tip)));
    action->setStatusTip(Text(tip));
    return action;
}

}  // namespace

void Quorvane::CreateSetupActions() {
    auto* copySetup =
        MakeAction(this, kCopySetupText, SetupActionTip(SetupAction::CopySetup, "Ctrl+Shift+C"));
    copySetup->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copySetup, &QAction::triggered, this, &Quorvane::CopySetup);
    addAction(copySetup);

    // A text box with focus keeps Ctrl+V for its own text.
    auto* pasteSetup =
        MakeAction(this, kPasteSetupText,
                   SetupActionTip(SetupAction::PasteSetup, "Ctrl+V outside a text box"));
    pasteSetup->setShortcut(QKeySequence::Paste);
    connect(pasteSetup, &QAction::triggered, this, &Quorvane::PasteSetup);
    addAction(pasteSetup);

    experimentsMenu_ = new QMenu(Text(kExperimentsText), this);
    experimentsMenu_->setObjectName(QStringLiteral("Experiments"));
    experimentsMenu_->setToolTipsVisible(true);
    const std::span<const Experiment> experiments = Experiments();
    for (std::size_t i = 0; i < experiments.size(); ++i) {
        QAction* pick = experimentsMenu_->addAction(Text(experiments[i].title));
        pick->setToolTip(Text(WrapText(experiments[i].paragraph)));
        connect(pick, &QAction::triggered, this, [this, i] { RunExperiment(static_cast<int>(i)); });
    }
    QAction* submenu = experimentsMenu_->menuAction();
    submenu->setToolTip(Text(WrapText(SetupActionTip(SetupAction::Experiments, "Ctrl+E"))));
    addAction(submenu);
    // The pictures' menus offer them after their own copy actions.
    for (const auto& group : groups_) {
        for (QWidget* picture : {static_cast<QWidget*>(group->widgets.picSignal),
                                 static_cast<QWidget*>(group->widgets.picSpectrum)})
            picture->addActions({copySetup, pasteSetup, submenu});
    }
    auto* openExperiments = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this);
    connect(openExperiments, &QShortcut::activated, this,
            [this] { experimentsMenu_->popup(mapToGlobal(QPoint(width() / 8, height() / 8))); });

    balloon_ = new Balloon(this);
}

Setup Quorvane::ReadSetup() const {
    Setup setup = StartupSetup();
    setup.architecture = ShownArchitecture();
    for (std::size_t k = 0; k < oscillators_.size(); ++k)
        setup.tones[k] = ToneOf(oscillators_[k]->PanelState());
    setup.noise = NoiseOf(noise_->PanelState());
    for (int slot = 0; slot < kSlotCount; ++slot)
        setup.switchedIn[slot] = switches_[slot]->checkState() == Qt::Checked;
    for (int position = 0; position < kStageCandidates; ++position) {
        const StageId id = kCandidateOrder[position];
        switch (id.kind) {
            case StageKind::Filter:
                setup.stages[position] = StageOf(filters_[id.index]->PanelState());
                break;
            case StageKind::Mixer:
                setup.stages[position] = StageOf(mixers_[id.index]->PanelState());
                break;
            case StageKind::Amplifier:
                setup.stages[position] = StageOf(amplifiers_[id.index]->PanelState());
                break;
        }
    }
    const Selection selection = ReadSelection(ReadButtonColours());
    setup.firstTestPoint = selection.first;
    setup.secondTestPoint = selection.second;
    for (int g = 0; g < 2; ++g) {
        const PlotGroupWidgets& w = groups_[g]->widgets;
        setup.plots[g] = {w.hscSignal->value(), w.hscSpectrum->value(), w.hscCentre->value(),
                          w.chkFreeze->checkState() == Qt::Checked};
    }
    return Cleaned(setup);
}

// Every control is set, through its own rule, to the setup's value; what the setup leaves out
// holds its start-up value there, so this is a return to the start-up state and the setup at once.
void Quorvane::ApplySetup(const Setup& setup) {
    const QString architecture = Text(kArchitectureItems[ItemOf(setup.architecture)]);
    cmbMode_->setCurrentIndex(ItemOf(setup.architecture));
    if (cmbMode_->currentText() != architecture) cmbMode_->setEditText(architecture);
    cmbMode_->lineEdit()->home(false);
    ArrangeStages();

    for (std::size_t k = 0; k < oscillators_.size(); ++k)
        oscillators_[k]->ApplySetup(setup.tones[k]);
    noise_->ApplySetup(setup.noise);
    for (int position = 0; position < kStageCandidates; ++position) {
        const StageId id = kCandidateOrder[position];
        const StageSetup& stage = setup.stages[position];
        switch (id.kind) {
            case StageKind::Filter:
                filters_[id.index]->ApplySetup(stage);
                break;
            case StageKind::Mixer:
                mixers_[id.index]->ApplySetup(stage);
                break;
            case StageKind::Amplifier:
                amplifiers_[id.index]->ApplySetup(stage);
                break;
        }
    }
    for (int slot = 0; slot < kSlotCount; ++slot)
        switches_[slot]->setCheckState(setup.switchedIn[slot] ? Qt::Checked : Qt::Unchecked);
    ShowRunningStages();

    const Selection shown = ReadSelection(ReadButtonColours());
    for (int n : SelectionClicks(shown, {setup.firstTestPoint, setup.secondTestPoint})) {
        if (n > 0) cmdGraph_Click(n);
    }

    for (int g = 0; g < 2; ++g) {
        const PlotGroupWidgets& w = groups_[g]->widgets;
        const PlotSetup& p = setup.plots[g];
        w.hscSignal->setValue(p.timeWindow);
        w.hscSpectrum->setValue(p.span);
        w.hscCentre->setValue(p.centre);
        w.chkFreeze->setCheckState(p.frozen ? Qt::Checked : Qt::Unchecked);
        // A pasted freeze holds the scale of the first refresh after the paste.
        groups_[g]->plots->ForgetFrozenScale();
    }
}

QString Quorvane::SetupAsText() const {
    return QString::fromStdString(SetupText(ReadSetup()));
}

QString Quorvane::ApplySetupText(const QString& text) {
    // QString holds UTF-16; a text far beyond what a setup may be is refused before converting.
    const QString limited = text.left(static_cast<qsizetype>(kMostSetupCharacters) + 1);
    const SetupParse parse = ParseSetup(limited.toStdString());
    if (!parse.ok) return QString::fromStdString(SetupErrorMessage(parse.error));
    ApplySetup(parse.setup);
    experiment_ = {};
    return {};
}

void Quorvane::CopySetup() {
    QGuiApplication::clipboard()->setText(SetupAsText());
}

void Quorvane::PasteSetup() {
    const QString message = ApplySetupText(QGuiApplication::clipboard()->text());
    if (!message.isEmpty()) ShowRefusal(message);
}

void Quorvane::RunExperiment(int index) {
    const std::span<const Experiment> experiments = Experiments();
    if (index < 0 || static_cast<std::size_t>(index) >= experiments.size()) return;
    const Experiment& experiment = experiments[static_cast<std::size_t>(index)];
    const SetupParse parse = ParseSetup(experiment.setup);
    if (!parse.ok) return;  // every experiment parses; a test holds them to it
    ApplySetup(parse.setup);
    experiment_ = {index, SetupText(parse.setup)};
    balloon_->ShowText(Text("Experiment: " + std::string(experiment.title) + "\n\n" +
                            std::string(experiment.paragraph)),
                       QPoint(width() / 8, height() / 4));
}

std::string Quorvane::ExperimentNote(const std::string& reading) const {
    if (experiment_.index < 0) return reading;
    return WithExperimentNote(experiment_, SetupText(ReadSetup()), reading);
}

}  // namespace quorvane
