#include "dialogs/UHelp.h"

#include "controls/OrvRoundRectPanel.h"
#include "frame/CaptionMarkup.h"
#include "framework/Forms.h"
#include "program/ProgramValues.h"

TWHelp* WHelp = nullptr;

TWHelp::TWHelp(TComponent* AOwner) : tOrvFormMetal(AOwner) {
  SetName("WHelp");
  SetCaption("\\IOrv\\iQuillon -- Manual file");
  SetBounds(379, 249, 433, 307);
  SetPosition(poDefault);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);

  OrvRoundRectPanel1 =
      Placed<TOrvRoundRectPanel>(this, this, "OrvRoundRectPanel1", 8, 8, 409, 257);
  OrvRoundRectPanel1->SetRndRadius(20);
  OrvRoundRectPanel1->SetClipFirstControl(false);
  OrvRoundRectPanel1->SetClipMargins(2, 3, 2, 3);
  OrvRoundRectPanel1->SetTabStop(false);

  RichEdit1 = Placed<TRichEdit>(this, OrvRoundRectPanel1, "RichEdit1", 8, 8, 395, 242);
  RichEdit1->SetAnchors(akLeft | akTop | akRight | akBottom);
  RichEdit1->SetBorderStyle(bsNone);
  RichEdit1->SetReadOnly(true);
  RichEdit1->SetScrollBars(ssVertical);
}

TWHelp::~TWHelp() {
  // A viewer freed without being closed (a file that failed to load, the
  // end of the program) must not stay behind as the current one.
  if (WHelp == this) WHelp = nullptr;
}

void TWHelp::FormCreate(TObject* Sender) {
  tOrvFormMetal::FormCreate(Sender);
  RestorePlacement("OrvQuill\\WHelp");
  const int w = PanelClient->ClientWidth();
  const int h = PanelClient->ClientHeight();
  OrvRoundRectPanel1->SetBounds(OrvRoundRectPanel1->Left(), OrvRoundRectPanel1->Top(),
                                w - 2 * OrvRoundRectPanel1->Left(),
                                h - 2 * OrvRoundRectPanel1->Top());
  OrvRoundRectPanel1->SetAnchors(akLeft | akTop | akRight | akBottom);
}

void TWHelp::FormClose(TObject* Sender, TCloseAction& Action) {
  tOrvFormMetal::FormClose(Sender, Action);
  Action = caFree;
  WHelp = nullptr;
}

TWHelp* OpenViewer(const std::string& path, bool rich, const std::string& caption) {
  // Made like a form of the application, but never its main form: closing a
  // viewer must not end the program.
  auto* viewer = new TWHelp(Application);
  viewer->AfterConstruction();
  WHelp = viewer;
  try {
    viewer->RichEdit1->SetPlainText(!rich);
    if (!rich) {
      // Set before the text arrives: the whole text then takes the font in
      // one pass instead of being reformatted after each font property.
      viewer->RichEdit1->Font()->SetName("FixedSys");
      viewer->RichEdit1->Font()->SetSize(10);
      // "FixedSys" is a font of Windows: where the system lacks it, another
      // fixed-pitch font keeps the columns of a text file aligned.
      viewer->RichEdit1->Font()->SetPitch(fpFixed);
    }
    viewer->RichEdit1->Lines()->LoadFromFile(path);
    viewer->SetCaptionText(caption);
  } catch (...) {
    TComponent::Free(viewer);
    throw;
  }
  viewer->Show();
  return viewer;
}

TWHelp* ShowManual(const std::string& fileName, bool rich) {
  return OpenViewer(ProgramDir + fileName, rich,
                    "\\IOrv\\iQuillon -- Manual file: " + EscapeMarkupText(fileName));
}

TWHelp* ViewFile(const std::string& path, bool rich) {
  return OpenViewer(path, rich, "\\IOrv\\iQuillon -- VIEW " + EscapeMarkupText(path));
}
