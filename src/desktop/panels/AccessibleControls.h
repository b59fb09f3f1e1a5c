#pragma once

namespace quorvane {

// Teaches the accessibility layer the program's own controls, which Qt would otherwise read as
// plain widgets or by their bare numbers:
// - ReadingScrollBar: a scroll bar whose value is its reading with a unit;
// - SteppingComboBox: a drop-down list named by its accessible name, not by its text (the text
//   is its value);
// - StagePanel: a named group of the controls of one source or stage;
// - PictureBox: a chart, named and described by its plot group;
// - ReadoutLabel: a text named by what it shows, whose value is its caption.
// Safe to call any number of times; the first call installs.
void InstallAccessibleControls();

}  // namespace quorvane
