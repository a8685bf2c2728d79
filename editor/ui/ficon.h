#pragma once
// The main window: the one long-lived window of the editor. Its widgets come from resources/ficon.ui; the
// handlers are split over the ficon_*.cpp files by concern (creation and closing, new images, the edit
// area, tools, ...), as the sections below name them.

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "editor/core/EditAreaMouse.h"
#include "editor/core/EditorState.h"
#include "editor/core/Settings.h"
#include "editor/core/TextTool.h"
#include "editor/core/ToolStage.h"
#include "editor/ui/Dialogs.h"
#include "editor/ui/ImageView.h"
#include "ui_ficon.h"

class QTextBrowser;
class QTimer;
class QButtonGroup;
class QToolButton;

namespace gw {

// What a test (or the entry) can choose when the window is made.
struct TForm1Options {
  IMessageBoxes* boxes = nullptr;      // nullptr: the real message boxes
  QString settingsPath;                // empty: "glyphwerk.ini" in the program's folder
  QString helpPath;                    // empty: "glyphwerk.hlp" in the program's folder
  std::function<int()> screenWidth;    // empty: the width of the primary screen
  bool useCommandLine = true;          // false: `arguments` instead of the program's own
  QStringList arguments;
};

// "Glyphwerk": the window caption whenever no file name is shown.
inline const QString ProgramTitle = QStringLiteral("Glyphwerk");

// Start-up messages.
inline const QString FatalErrorCaption = QStringLiteral("Fatal Error");
inline const QString OutOfMemoryText = QStringLiteral("Not Enough Memory to run Glyphwerk.");
inline const QString ScreenTooSmallText =
    QStringLiteral("Glyphwerk 3.0 only supports video modes of 800x600 or greater,\n\r"
                   "optimally at 1024x768.  Please fix accordingly.  Thanks.");
// The close question.
inline const QString SaveQuestionText = QStringLiteral("Save Painted Icon ?");
inline const QString SaveQuestionCaption = QStringLiteral("Save Icon Dialog");

// The command line as one path: each argument followed by one blank, then leading and trailing blanks and
// control characters trimmed.
QString JoinCommandLine(const QStringList& args);
// Whether a path names an icon or cursor file: its extension (from the last "." of the name) lower-cased is
// ".ico" or ".cur".
bool IsIconOrCursorPath(const QString& path);

class TForm1 : public QMainWindow, public Ui::ficon {
  Q_OBJECT
 public:
  explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
  ~TForm1() override;

  EditorState& state() { return State; }
  const EditorState& state() const { return State; }
  IMessageBoxes& boxes() const { return *boxes_; }
  // True once start-up has asked the application to end (out of memory, screen too small).
  bool terminateRequested() const { return terminateRequested_; }

  // ---- Creation and closing (ficon.cpp) -------------------------------------------------------------
  void FormCreate();
  void FormCloseQuery(bool& CanClose);
  void FormClose();
  bool ConfirmDiscard();
  void Exit1Click();
  void bFileSaveClick();
  void bFileOpenClick();
  void ResizePickedIconImages(int edge);
  void LoadToolCursors();
  const QCursor& ScreenCursor(int slot) const;  // slots 30 ... 35
  void SetEditAreaCursor(const QCursor& cursor);
  void RequestTerminate();
  int ScreenWidth() const;

  // ---- New images (ficon_newimage.cpp) --------------------------------------------------------------
  // The routine behind all 29 handlers: asks the save question, then makes a blank image of the format.
  // Returns false when the user cancelled (nothing changed) or the format is not one of the 29.
  bool NewImage(int type, int size);
  void NewIconCursorClick();
  void N16x16_16Click(); void N24x24_16Click(); void N32x32_16Click(); void N40x40_16Click();
  void N48x48_16Click(); void N56x56_16Click(); void N64x64_16Click();
  void N16x16_256Click(); void N24x24_256Click(); void N32x32_256Click(); void N40x40_256Click();
  void N48x48_256Click(); void N56x56_256Click(); void N64x64_256Click();
  void N16x16_TrueClick(); void N24x24_TrueClick(); void N32x32_TrueClick(); void N40x40_TrueClick();
  void N48x48_TrueClick(); void N56x56_TrueClick(); void N64x64_TrueClick();
  void N16x16_MonoClick(); void N24x24_MonoClick(); void N32x32_MonoClick(); void N40x40_MonoClick();
  void N48x48_MonoClick(); void N56x56_MonoClick(); void N64x64_MonoClick();
  void N32x32_CursorClick();
  // Runs the named handler of a (type, size) format (what the file readers and the import call).
  void RunNewImageHandler(int type, int size);
  void SetupEditArea(int size);
  void UpdateEditAreaCaption();
  void UpdateNewMenuCaption();
  void EnablePaletteButtons(bool on);
  void UpdateColorSelectorEnabled();

  // ---- Edit area (ficon_editarea.cpp) ---------------------------------------------------------------
  void RefreshEditArea();
  void SyncPlacementCanvas();
  void ResetPlacementCanvas(const Rect& r);
  void ResizePlacementCanvas(int e);
  void CopyIconImage(const Bitmap& src, Bitmap& dst);
  void FillImage(Bitmap& image, Color c);
  Point PixelToCell(Point p) const;
  Rect PixelRectToCellRect(const Rect& r) const;
  Point CellToPixel(Point cell) const;
  Rect CellRectToPixelRect(const Rect& r) const;
  void ShowCursorPosition(int x, int y);
  // Repaints the edit area and the actual-size views from the state's bitmaps.
  void RepaintImageViews();

  // ---- Tool choice (ficon_tools.cpp) ----------------------------------------------------------------
  void bpencilClick(); void blineClick(); void bcircleClick(); void brectClick(); void bcircle2Click();
  void brect2Click(); void bfloodfillClick(); void bmoveClick(); void bmove2Click(); void beraserClick();
  void bcurvesClick(); void bfliphClick(); void bflipvClick(); void brotateClick(); void bcolorsubClick();
  void brect3Click(); void brect4Click(); void bcolorselectorClick();
  void SelectToolByIndex(int index);
  QToolButton* ToolButton(int code) const;  // the button of a tool code 0 ... 17
  QToolButton* ActiveToolButton = nullptr;

  // ---- Shared by the commands below (ficon_mouse.cpp) -----------------------------------------------
  // What follows the tool stage on screen, after every change of it: the views and whether "Delete
  // Selected Rectangle" is enabled.
  void ShowToolStage();
  // Ends the tools' work in progress before a command changes or replaces the image, updates the undo buttons
  // (a curve kept as it was left is an undo state) and redraws.
  void DropToolStage(DropKind kind);
  // Makes a pasted block a floating picture of the move/copy rectangle tool (see EnterFloatingPicture in
  // editor/core/ToolStage.h): the engine part, then bmove pressed without running bmoveClick, and a repaint.
  void EnterFloatingPicture(const Rect& cellRect);

  // ---- Edit-area mouse and drawing tools (ficon_mouse.cpp) -------------------------------------------
  void editareaMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void editareaMouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void editareaMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  // The edit area's cursor for what the tool under the pointer would do.
  void SetToolCursor(EditAreaCursor c);
  // transparentLabel: "Transparent" or "Opaque", centred in the edit-area group.
  void ShowTransparency(bool transparent);

  // ---- Icon and cursor files, transparency (ficon_files.cpp, ficon_transparency.cpp) ----------------
  void Open1Click();
  virtual bool Save1Click();  // true only when the file was written
  void SaveAs1Click();
  void SetSaveFilterForType(int type);
  // Reads and checks the whole file first; only a good file replaces the image (without the save question),
  // sets the names and the caption "Glyphwerk: NAME". Anything else gets a message and changes nothing.
  void OpenIconFile(const QString& path);
  void Timer1Timer();
  void MakeWhiteTransparent1Click(); void MakeRightPenColorTransparent1Click();
  void MakeLeftPenColorOpaque1Click(); void MakeRightPenColorOpaque1Click();

  // ---- Palette files, picture import and export (ficon_pictures.cpp) --------------------------------
  void Import1Click();
  void Export1Click();
  void bColorPalOpenClick();
  void bColorPalSaveClick();

  // ---- Icons from program files (iconfile/ui/fexticon.cpp) ------------------------------------------
  // Opens a picker window listing the icons of a program file (what Open does with a name that is not
  // .ico or .cur).
  void OpenProgramFileIcons(const QString& path);
  // Puts PickedIconImage into the current image at its top-left corner (one undo step); above 32 x 32 it
  // floats there as a picture of the move/copy rectangle tool.
  void AcceptExeIcon();

  // ---- Image operations (ficon_imageops.cpp; the dialogs are in imageops/ui) --------------------------
  // Every command drops the tools' work in progress first and ends with the undo buttons and views in step.
  void DeleteRectangle1Click();
  void UpdateDeleteRectangleEnabled();  // enabled exactly while a rectangle selection is live
  void SlightBlur1Click(); void MoreBlur1Click(); void EvenMoreBlurClick(); void GaussianBlurClick();
  void SharpenBasicClick(); void SharpenMeanRemovalClick();
  void AdjustContrast(bool increase, int amount, int threshold, const Bitmap& keptMask, const Bitmap& keptImage);
  void AdjustBrightness(bool increase, int amount);
  void GradientFill(Color c1, Color c2, bool excludeTransparent, int orientation);
  void NudgeUpLeft(); void NudgeUpRight(); void NudgeDownRight(); void NudgeDownLeft();
  // The image was replaced whole (new image, open, import): the image-operation dialogs close.
  void ImageReplaced();
  void Sharpen1Click(); void Softening1Click(); void Emboss1Click(); void Laplace1Click();
  void Intensity1Click(); void Constrast1Click(); void Nudge1Click(); void GradientFill1Click();
  void bNudgeLeftClick(); void bNudgeRightClick(); void bNudgeUpClick(); void bNudgeDownClick();
  void FlipEntireImageHorizontally1Click(); void FlipEntireImageVertically1Click();
  void RotateImage90DegreesLeft1Click(); void RotateEntireImageClockwise1Click();
  void BottomMirrorsTop1Click(); void TopMirrorsBottom1Click(); void RightMirrorsLeft1Click();
  void LeftMirrorsRight1Click(); void LeftTopQuadrantMirrorsRightTopQuadrant1Click();
  void RightTopQuadrantMirrorsLeftTopQuadrant1Click(); void LeftBottomQuadrantMirrorsRightBottomQuadrant1Click();
  void RightBottomQuadrantMirrorsLeftBottomQuadrant1Click(); void LeftTopQuadrantMirrorsLeftBottomQuadrant2Click();
  void LeftBottomQuadrantMirrorsLeftTopQuadrant1Click(); void RightTopQuadrantMirrorsRightBottomQuadrant1Click();
  void RightBottomQuadrantMirrorsRightTopQuadrant1Click(); void LeftTopQuadrantMirrorsRightBottomQuadrant2Click();
  void RightBottomQuadrantMirrorsLeftTopQuadrant1Click(); void LeftBottomQuadrantMirrorsRightTopQuadrant1Click();
  void RightTopQuadrantMirrorsLeftBottomQuadrant1Click();

  // ---- Clipboard, snapshot, text, hot spot, help and About (ficon_extras.cpp) ------------------------
  void bsnapshotClick();
  void btextClick();
  void CopytoClipboard1Click();
  void Paste1Click();
  void CursorXYHotSpotClick();
  void Help1Click();
  void About1Click();
  // The snapshot's end: lands the captured square (floating when smaller than the image, else the pencil is
  // chosen) and gives the window back its width and caption.
  void LandSnapShot(const Bitmap& square);
  // The text tool's "Ok": the rendered text as a floating picture at the top-left corner.
  void PlaceText(const ITextRenderer& text);
  // Where the help file is looked for: "glyphwerk.hlp" beside the program.
  QString HelpFilePath() const;
  QTextBrowser* HelpWindow() const { return helpWindow_; }

  // ---- Palettes, undo and settings (ficon_palette.cpp, ficon_undo.cpp, ficon_settings.cpp) -----------
  // Palettes, colour grid and pens.
  void colorgrdMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void scrRedChange();
  void scrGreenChange();
  void scrBlueChange();
  void ResetColorPalette1Click();
  void ShowColorGrid();  // the colour grid, pens and RGB bars of the current type, after its palette set-up
  // Palette helpers for other commands (ficon_palette.cpp): show a colour on the bars (the colour selector's
  // pick goes into the selected grid entry and the last pen), show the colour under the mouse, and bring
  // the readouts, bars, pens and grid on screen in line with the state.
  // The forms taking the state keep engine-style calls from members working (and the window in step).
  void ShowColorComponents(Color c);
  void ShowColorComponents(EditorState& s, Color c);
  void ShowPixelColor(Color c);
  void ShowPixelColor(EditorState& s, Color c);
  void RefreshColorGroup();
  // Undo (ficon_undo.cpp): every finished edit pushes through here so that Undo and Redo are enabled right.
  void PushUndo();
  void PushUndo(EditorState& s);
  void UpdateUndoButtons();
  void Undo1Click();
  void Redo1Click();
  void bUndoClick();
  void bRedoClick();
  // Settings and options.
  void LoadSettings();
  void ApplyStoredWindowSize();  // the window size LoadSettings read, checked against the layout and screen
  void SaveSettings();
  void FormResize();
  void ShowHintsClick();  // runs after the menu has toggled the check mark
  void ApplyHints();      // shows or hides the hints by the check mark of ShowHints
  void UserightmousebuttonasanEraserClick();
  void DoNotScaleImportedImages1Click();

  // ---- Components that are not widgets --------------------------------------------------------------
  TFileDialog opendlg{TFileDialog::Kind::Open};
  TFileDialog savedlg{TFileDialog::Kind::Save};
  QTimer* Timer1 = nullptr;
  QButtonGroup* ToolButtonGroup = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ConnectCommands();
  // Runs `handler` whenever `button` is clicked.
  void ConnectClick(QToolButton* button, void (TForm1::*handler)());
  void ConnectNewImageItems();
  void SetupToolButtons();
  void ChooseTool(int code);
  void RecoverFromFailedCreate();

  EditorState State;
  TForm1Options options_;
  IMessageBoxes* boxes_;
  std::array<QCursor, 6> screenCursors_;
  bool terminateRequested_ = false;
  bool closed_ = false;
  WindowSize storedWindowSize_;

  // Drawing tools.
  // The state part of choosing a tool (engine ChooseToolState), with the window's cursor and repaint.
  void ChooseToolStage(int code);

  // Icon and cursor files.
  // Writes the image in its type's format; on failure says so and changes nothing. True when written.
  bool SaveImageTo(const QString& path);
  // Writes a file chosen in the save dialog; when written it becomes the icon's file, otherwise the dialog
  // gets back the name it offered.
  bool SaveToChosenFile(const QString& path, const QString& offered);
  void RunTransparencyCommand(void (*command)(EditorState&));

  // Picture import and export, palette files.

  // Icons from program files.

  // Image operations.

  // Clipboard, snapshot, text, hot spot, help and About.
  QTextBrowser* helpWindow_ = nullptr;  // made by the first "&Help Topics", then shown again
  int snapShotWidth_ = 0;  // the window's width before the capture narrowed it
};

// The main window of the running program (set while a TForm1 exists).
extern TForm1* Form1;

}  // namespace gw
