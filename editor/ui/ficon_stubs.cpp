// Commands whose behaviour is still to be built. Each handler is connected to its menu item, button or
// event already; the work moves out of this file, concern by concern, as it is written. The groups follow
// the sections of ficon.h.
#include <QToolButton>

#include "editor/ui/ficon.h"

namespace gw {

// ---- Image operations -----------------------------------------------------------------------------------
void TForm1::DeleteRectangle1Click() {}         // Edit > "Delete Selected Rectangle" (Del)
void TForm1::Sharpen1Click() {}                 // Image > "Sharpening..."
void TForm1::Softening1Click() {}               // Image > "Softening..."
void TForm1::Emboss1Click() {}                  // Image > Edge Detection > "Sobel"
void TForm1::Laplace1Click() {}                 // Image > Edge Detection > "Laplace"
void TForm1::Intensity1Click() {}               // Image > "Brightness..."
void TForm1::Constrast1Click() {}               // Image > "Contrast..."
void TForm1::Nudge1Click() {}                   // Image > "Nudge..."
void TForm1::GradientFill1Click() {}            // Image > "Gradient Fill..."
void TForm1::bNudgeLeftClick() {}               // tool bar "Nudge Left"
void TForm1::bNudgeRightClick() {}              // tool bar "Nudge Right"
void TForm1::bNudgeUpClick() {}                 // tool bar "Nudge Up"
void TForm1::bNudgeDownClick() {}               // tool bar "Nudge Down"
void TForm1::FlipEntireImageHorizontally1Click() {}   // Image > Flip > "Flip Entire Image Horizontally"
void TForm1::FlipEntireImageVertically1Click() {}     // Image > Flip > "Flip Entire Image Vertically"
void TForm1::RotateImage90DegreesLeft1Click() {}      // Image > Rotate > "Rotate Image 90 Degrees Left"
void TForm1::RotateEntireImageClockwise1Click() {}    // Image > Rotate > "Rotate Image 90 Degrees Right"
// Image > Mirror: the sixteen half and quadrant mirrors.
void TForm1::BottomMirrorsTop1Click() {}
void TForm1::TopMirrorsBottom1Click() {}
void TForm1::RightMirrorsLeft1Click() {}
void TForm1::LeftMirrorsRight1Click() {}
void TForm1::LeftTopQuadrantMirrorsRightTopQuadrant1Click() {}
void TForm1::RightTopQuadrantMirrorsLeftTopQuadrant1Click() {}
void TForm1::LeftBottomQuadrantMirrorsRightBottomQuadrant1Click() {}
void TForm1::RightBottomQuadrantMirrorsLeftBottomQuadrant1Click() {}
void TForm1::LeftTopQuadrantMirrorsLeftBottomQuadrant2Click() {}
void TForm1::LeftBottomQuadrantMirrorsLeftTopQuadrant1Click() {}
void TForm1::RightTopQuadrantMirrorsRightBottomQuadrant1Click() {}
void TForm1::RightBottomQuadrantMirrorsRightTopQuadrant1Click() {}
void TForm1::LeftTopQuadrantMirrorsRightBottomQuadrant2Click() {}
void TForm1::RightBottomQuadrantMirrorsLeftTopQuadrant1Click() {}
void TForm1::LeftBottomQuadrantMirrorsRightTopQuadrant1Click() {}
void TForm1::RightTopQuadrantMirrorsLeftBottomQuadrant1Click() {}

}  // namespace gw
