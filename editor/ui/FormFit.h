#pragma once
// Forms are stored with pixel positions and sizes measured in the faces they were drawn with. Here they are
// fitted to the face this program uses: captions whole, nothing overlapping, every form large enough.

class QGroupBox;
class QRect;
class QSize;
class QWidget;

namespace gw {

// The room a widget's caption needs (label, push button, check box, radio button, group title) in the
// widget's own font and style, or an empty size for a widget that shows no caption.
QSize CaptionRoom(const QWidget* w);

// The inner area of a group box in its own coordinates: below its caption and inside its frame.
QRect GroupInside(const QGroupBox* g);

// Fits a form just loaded from its description. The faces the forms name and Linux lacks ("MS Sans
// Serif", "Arial") are drawn in a metric-compatible sans-serif ("Liberation Sans"), installed as the
// application starts, so a form lays out alike on every machine. Then every captioned widget keeps its
// position and grows to its caption; a sibling standing to its right (or below) moves on to keep the gap it
// had, with every sibling of its column (or row); the children of a titled group box move below the
// style's caption; a container grows to hold its children, and so does the form. Nothing shrinks.
void FitFormToTexts(QWidget* form);

}  // namespace gw
