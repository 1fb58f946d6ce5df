// Drag and drop of file lists (the platform's file-drop format).
#pragma once

#include "dragdrop/DragDrop.h"
#include "framework/Classes.h"

class TDragDropFiles : public TDragDrop {
 public:
  explicit TDragDropFiles(TComponent* AOwner);
  // The dropped names, or the names to drag, in order; a name may repeat.
  TStrings* FileNames() { return &FFileNames; }

 private:
  TStrings FFileNames;
};
