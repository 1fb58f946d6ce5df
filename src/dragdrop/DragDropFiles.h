// Drag and drop of file lists in the platform's file-drop format (CF_HDROP:
// a global memory block holding a DROPFILES header and the names).
#pragma once

#include <cstdint>
#include <vector>

#include "dragdrop/DragDrop.h"
#include "framework/Classes.h"

// The one format record of file drops: CF_HDROP in global memory, content
// aspect, all of it.
FORMATETC FileDropFormat();

// A data object carrying a fixed list of names: the block is built once,
// from the names as they are when the object is made, with 8-bit names.
class TDataObjectFiles : public TDataObject {
 public:
  explicit TDataObjectFiles(const TStrings& names);

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
  // Replaces the component's names with the dropped ones; wide names are
  // converted to the system's 8-bit code page.
  void ProcessDroppedData(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                          DWORD dwEffect) override;
};

class TDragDropFiles : public TDragDrop {
 public:
  explicit TDragDropFiles(TComponent* AOwner);
  // The dropped names, or the names to drag, in order; a name may repeat.
  TStrings* FileNames() { return &FFileNames; }
  // Drags the names and returns when the drag has ended; with no names
  // nothing happens.
  void StartFileDrag();

 private:
  TStrings FFileNames;
};
