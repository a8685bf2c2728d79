#pragma once
// The icon picker: a window of its own that lists the icons of one program file as 32 x 32 cells on a
// white sheet, scrollable vertically. A double-click on an icon puts it into the main window's image. Each
// picker owns its file, sheet and pictures and frees them when it is closed; several can be open at once.

#include <QCursor>
#include <QString>
#include <QWidget>
#include <memory>

#include "iconfile/core/ExeIconSheet.h"
#include "platform/Geometry.h"
#include "ui_fexticon.h"

class QTimer;

namespace gw {

class TForm1;

class TExeIconForm : public QWidget, public Ui::fexticon {
  Q_OBJECT
 public:
  // A picker of the file `path`, owned by the main window, over its sheet (none: a file without icons). It
  // lists the icons at its first paint.
  TExeIconForm(TForm1* owner, QString path, std::unique_ptr<ExeIconSheet> sheet = nullptr);
  ~TExeIconForm() override;

  void FormCreate();
  // First paint: starts listing the icons (or shows " No Icons"); the sheet is drawn by every paint.
  void FormPaint();
  void FormMouseDown(int x, int y);
  // Puts the icon under the last press into the main window's image; nothing when no listed icon is there.
  void FormDblClick();
  void FormClose();
  void bOkClick();

  // Lists the next icons for a few milliseconds; the last batch ends the listing.
  void ListSomeIcons();

  const QString& SourceFile() const { return sourceFile_; }
  bool Listing() const { return listing_; }
  bool ListingDone() const { return listed_; }
  int IconCount() const { return sheet_ ? sheet_->Count() : 0; }
  const ExeIconSheet* Sheet() const { return sheet_.get(); }
  int ScrollPosition() const;

  Rect PickedCell;
  QString CaptionPrefix;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;  // scrolls the sheet as the bar does

 private:
  void StartListing();
  void FinishListing();
  void LayoutScrollBar();

  TForm1* owner_;
  QString sourceFile_;
  std::unique_ptr<ExeIconSheet> sheet_;
  QTimer* listTimer_ = nullptr;
  QCursor keptCursor_;
  bool firstPaint_ = true;  // ExeIconFirstPaint, one per window
  bool listing_ = false;
  bool listed_ = false;
};

// The caption texts of the picker.
QString ExeIconListingCaption(const QString& prefix);
QString ExeIconNoIconsCaption(const QString& prefix);
QString ExeIconListedCaption(const QString& prefix, int count, const QString& path);

}  // namespace gw
