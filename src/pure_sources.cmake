# Window-free sources: they compile without <windows.h> and are built both
# for Windows and natively (tests with AddressSanitizer and UBSan).
set(OQ_PURE_SOURCES
  framework/TextRules.cpp
  framework/Utf8.cpp
  framework/NameRules.cpp
  framework/FileRules.cpp
  framework/BitmapFile.cpp
  framework/PictureScale.cpp
  app/StartOptions.cpp
  frame/CaptionMarkup.cpp
  drawing/PZMarkup.cpp
  drawing/PZMarkupFit.cpp
  drawing/PZShadeBands.cpp
  drawing/PZBgndRules.cpp
  frame/Placement.cpp
  frame/FrameGeometry.cpp
  main/PaneTexts.cpp
  main/CommandRules.cpp
  main/CommandHistory.cpp
  main/NameCompletion.cpp
  program/ProgramValues.cpp
  program/StartFailures.cpp
  program/LanguageFile.cpp
  dialogs/DialogRules.cpp
  oqtyp/TypeChoice.cpp
  controls/EnterExitButtonRules.cpp
  controls/OrvRoundRectGeometry.cpp
  drawing/PZButtonLayout.cpp
  dragdrop/DragDropRules.cpp
)
list(TRANSFORM OQ_PURE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
