// Drag and drop of file lists in the platform's file-drop format (CF_HDROP:
// a global memory block holding a DROPFILES header and the names).
//
// Names travel exactly or not at all. The program keeps names as 8-bit
// strings in its own code page (GetACP: UTF-8 where the manifest is
// honoured); another program that writes 8-bit names writes them in the
// system's legacy code page, which is not ours. A name with no exact form
// on the other side is never replaced by a look-alike, which could name
// another file that happens to exist.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dragdrop/DragDrop.h"
#include "dragdrop/DragDropRules.h"
#include "framework/Classes.h"
#include "framework/WideText.h"

// The one format record of file drops: CF_HDROP in global memory, content
// aspect, all of it.
FORMATETC FileDropFormat();

// The names of a dropped block as the program's 8-bit strings. Wide names
// are converted exactly; 8-bit names are decoded from sourceCodePage, the
// code page of the program that wrote them. A name that has no exact form
// (an unpaired surrogate, bytes invalid in the source's code page, a
// character our code page lacks) refuses the whole drop: no names at all,
// so that nothing acts on a part of what the user chose either.
struct DroppedFileNames {
  std::vector<std::string> Names;
  bool Refused = false;
};
DroppedFileNames ProgramFileNames(const FileDropNames& block, UINT sourceCodePage);

// The wide forms of the program's names, or nothing when one of them is not
// a valid text of the program's code page.
std::optional<std::vector<std::u16string>> ExactWideNames(const std::vector<std::string>& names);

// A data object carrying a fixed list of names: the block is built once,
// from the names as they are when the object is made. The names are written
// wide, so that a receiver of any code page reads them exactly: an 8-bit
// block would be read in the receiver's code page, which garbles any name
// that is not plain ASCII when ours is UTF-8.
class TDataObjectFiles : public TDataObject {
 public:
  explicit TDataObjectFiles(const std::vector<std::u16string>& names);

 protected:
  // A fresh copy of the block for every request; the receiver frees it.
  HRESULT RenderData(const FORMATETC& format, STGMEDIUM& medium) override;

 private:
  std::vector<uint8_t> FBlock;
};

class TDropTargetFiles : public TDropTarget {
 public:
  explicit TDropTargetFiles(TDragDrop* owner);

 protected:
  bool HasValidFormat(IDataObject* DataObj) override;
  // Replaces the component's names with the dropped ones.
  void ProcessDroppedData(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                          DWORD dwEffect) override;
};

class TDragDropFiles : public TDragDrop {
 public:
  explicit TDragDropFiles(TComponent* AOwner);
  // The dropped names, or the names to drag, in order; a name may repeat.
  TStrings* FileNames() { return &FFileNames; }
  // The last drop held a name that has no exact form here: FileNames is
  // empty, and the form tells the user why nothing happened.
  bool NamesRefused() const { return FNamesRefused; }
  // Drags the names and returns when the drag has ended. With no names, or
  // a name that is not a valid text of the program's code page (see
  // ExactWideNames), nothing happens. The answer is false when the
  // component was freed during the drag: the caller must then touch neither
  // it nor, most likely, its owner.
  bool StartFileDrag();

 private:
  friend class TDropTargetFiles;
  TStrings FFileNames;
  bool FNamesRefused = false;
};
