#include "dragdrop/DragDropFiles.h"

TDragDropFiles::TDragDropFiles(TComponent* AOwner) : TDragDrop(AOwner) {}
