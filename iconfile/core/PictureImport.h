#pragma once
// Picture import and export: a picture file into a new true-colour image, and the image out to a picture
// file. The windows run the dialogs and the new-image handler; everything else is here.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editor/core/EditorState.h"
#include "iconfile/picture/Picture.h"
#include "platform/Bitmap.h"

namespace gw {

// ---- Import -------------------------------------------------------------------------------------------
// The icon size for a w x h picture: 64 when either side is over 56, otherwise the smallest of 16, 24, ...
// 56 that holds the larger side.
int ImportIconSize(int width, int height);

// Reads and decodes a whole picture file, of any of the five formats, found from its content. On failure
// returns nothing with `error` set; nothing else happens.
std::optional<Picture> ReadPictureFile(const std::string& path, std::string& error);

// The picture's colours as they show on white: each channel c of alpha a becomes 255 - a + (c a + 127) / 255.
Bitmap ComposeOnWhite(const Picture& picture);

// What the import keeps of a picture: its size, and only the pixels the placement uses (still RGBA):
// - stretched (option "Do Not Scale Imported Images" off): the S x S pixels the surface's stretch copy of
//   the whole picture onto the S x S image keeps, rows and columns repeated or dropped (colour on colour);
// - 1:1 (option on): the picture's top-left part, as far as the 4S x 4S placement canvas reaches.
// S is ImportIconSize of the picture.
struct ImportSample {
  int width = 0, height = 0;
  bool stretched = true;
  Picture kept;
};
ImportSample SampleForImport(const Picture& picture, bool doNotScale);
// Reads, decodes and checks the whole file, keeping only the sample: a JPEG photo is never held whole.
std::optional<ImportSample> ReadPictureForImport(const std::string& path, bool doNotScale, std::string& error);

// The top-left corner, at most side x side pixels, of the picture whose file bytes (any of the five
// formats) are given, composed on white: what a paste takes. Only the corner is kept while the rest is
// decoded, so a picture far larger than the image costs a row of memory, not the whole picture.
std::optional<Bitmap> PictureCorner(std::span<const std::uint8_t> bytes, int side, std::string& error);

// Lays the sample, composed on white, into the blank true-colour image of size S that was just made for
// it: stretched onto the whole image; 1:1 at the top-left corner when it fits (the rest stays white);
// otherwise 1:1 into the placement canvas's top-left corner, the image showing the canvas square
// (0, 0, S, S), which becomes PlacementWindowRect. The image and the placement canvas are synchronised in
// the first two cases, and both masks become all black (opaque). No undo push: the window does that.
void PlaceImportedPicture(EditorState& s, const ImportSample& sample);

// ---- Export -------------------------------------------------------------------------------------------
enum class ExportFormat { Jpeg, Gif, Png, Tiff, Bmp };
// By the export filter's index: 1 JPEG, 2 GIF, 3 PNG, 4 TIFF, anything else BMP.
ExportFormat ExportFormatForFilterIndex(int index);

// The name the export dialog offers: the file part of `currentFileName` up to its first ".".
std::string ExportOfferedName(const std::string& currentFileName);

// The image as exported: IconSize x IconSize of iconimage, opaque; aqua is written as white for monochrome
// images and cursors.
Picture ExportPicture(const EditorState& s);
// Encodes the image in the format: JPEG at quality 100 (greyscale for monochrome images and cursors), the
// others losslessly, a GIF of more than 256 colours taking the nearest entries of the default 256 colours.
bool EncodeExport(const EditorState& s, ExportFormat format, std::vector<std::uint8_t>& out, std::string& error);
// Encodes and writes the whole file (temporary file and rename). Returns false with `error` set, and no
// file written, on failure.
bool ExportPictureFile(const EditorState& s, ExportFormat format, const std::string& path, std::string& error);

}  // namespace gw
