#pragma once
// Forms are stored with pixel positions and sizes measured in the faces they were drawn with. Here they are
// fitted to the face this program uses: captions whole, nothing overlapping, every form large enough.

class QGroupBox;
class QRect;
class QSize;
class QWidget;

namespace gw {

// The faces the forms name and Linux lacks are drawn in a metric-compatible sans-serif ("Liberation Sans"),
// so a form lays out alike on every machine. Runs once, at the application's start; safe to call again.
void UseFormFaces();

// The room a widget's caption needs (label, push button, check box, radio button, group title) in the
// widget's own font and style, or an empty size for a widget that shows no caption.
QSize CaptionRoom(const QWidget* w);

// The inner area of a group box in its own coordinates: below its caption and inside its frame.
QRect GroupInside(const QGroupBox* g);

// Fits a form just loaded from its description: every captioned widget keeps its position and grows to its
// caption; a sibling that the growth runs into moves right (or down) by as much, with every sibling that
// stood in its column (or row); a container grows to hold its children, and so does the form. Nothing
// shrinks below its stored size.
void FitFormToTexts(QWidget* form);

}  // namespace gw
