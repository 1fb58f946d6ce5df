#include "dialogs/introbntrob.h"

#include <cstdint>
#include <vector>

#include "drawing/PZLabel.h"
#include "resources/Version.h"

TIntrobox* Introbox = nullptr;

namespace {
// The JPEG picture stored in the program's resources. Without it the box
// still shows the name and the version.
void LoadIntroPicture(TBitmap* picture) {
  try {
    picture->LoadFromJpegResource(GetModuleHandleA(nullptr), "INTRO");
  } catch (const std::exception&) {
  }
}

// The name drawn twice, the yellow one two pixels up and left of the black.
TPZLabel* NameLabel(TIntrobox* f, TWinControl* parent, const char* name, int l, int t, int w,
                    TColor colour) {
  auto* label = Placed<TPZLabel>(f, parent, name, l, t, w, 41);
  label->SetCaption("\\IOrv\\i\\BQuil\\blon");
  label->Font()->SetName("Arial");
  label->Font()->SetHeight(-32);
  label->Font()->SetColor(colour);
  label->SetHorzAlignment(haLeft);
  label->SetVertAlignment(vaTop);
  return label;
}
}  // namespace

TIntrobox::TIntrobox(TComponent* AOwner) : TForm(AOwner) {
  SetName("Introbox");
  SetBorderStyle(bsNone);
  SetBorderIcons(0);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetClientSize(418, 280);

  Panel = Placed<TPanel>(this, this, "Panel", 0, 0, 418, 280);
  Panel->SetAlign(alClient);
  Panel->SetBevelWidth(3);
  Panel->SetBorderWidth(1);
  Panel->SetBorderStyle(bsSingle);
  Panel->SetCtl3D(false);
  Panel->SetCaption("");
  CreatePictures();
  CreateLabels();

  Timer1 = Designed<TTimer>(this, "Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(4000);

  auto click = [this](TObject* s) { PanelClick(s); };
  for (TControl* c : {static_cast<TControl*>(Panel), static_cast<TControl*>(Image1),
                      static_cast<TControl*>(PZLabel2), static_cast<TControl*>(Image2),
                      static_cast<TControl*>(LabelVer)})
    c->OnClick = click;
  OnKeyPress = [this](TObject* s, wchar_t& k) { FormKeyPress(s, k); };
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnCreate = [this](TObject*) {
    // A label sizes itself to its text only once the form is loaded.
    LabelVer->AdjustBounds();
    // Visible from its creation on, like every form designed visible.
    Show();
  };
  if (Application) {
    FModalBeginKey = Application->OnModalBegin.Add([this](TObject*) { ModalBegins(); });
    FKeyPressedKey = Application->OnKeyPressed.Add([this](TObject*) { KeyPressed(); });
  }
  Introbox = this;
}

void TIntrobox::CreatePictures() {
  Image1 = Placed<TImage>(this, Panel, "Image1", 11, 12, 394, 205);
  Image1->SetAutoSize(true);
  LoadIntroPicture(Image1->Picture());
  Bevel1 = Placed<TBevel>(this, Panel, "Bevel1", 288, 184, 97, 25);
  Image2 = Placed<TImage>(this, Panel, "Image2", 192, 178, 32, 32);
  Image2->SetTransparent(true);
  try {
    Image2->Picture()->LoadFromIconResource(GetModuleHandleA(nullptr), "MAINICON", 32, 32);
  } catch (const std::exception&) {
  }
}

void TIntrobox::CreateLabels() {
  PZLabel1 = NameLabel(this, Panel, "PZLabel1", 136, 128, 257, clBlack);
  PZLabel2 = NameLabel(this, Panel, "PZLabel2", 134, 126, 251, clYellow);
  LabelVer = Designed<TLabel>(this, "LabelVer");
  LabelVer->SetParent(Panel);
  LabelVer->SetLeft(293);
  LabelVer->SetTop(186);
  LabelVer->SetTransparent(true);
  LabelVer->Font()->SetName("Arial");
  LabelVer->Font()->SetHeight(-16);
  LabelVer->Font()->SetColor(clWhite);
  LabelVer->SetAutoSize(true);
  LabelVer->SetCaption("Version " OQ_VERSION_TEXT);
}

TIntrobox::~TIntrobox() {
  if (Introbox == this) Introbox = nullptr;
  if (Application) {
    Application->OnModalBegin.Remove(FModalBeginKey);
    Application->OnKeyPressed.Remove(FKeyPressedKey);
  }
}

void TIntrobox::PanelClick(TObject*) { Close(); }

void TIntrobox::FormKeyPress(TObject*, wchar_t&) { Close(); }

void TIntrobox::Timer1Timer(TObject*) { Close(); }

void TIntrobox::KeyPressed() {
  // Before the main window is up, a key changes nothing (the box refuses to
  // close then anyway); asking only now keeps a refused close quiet.
  if (Timer1->Enabled() && !FGoing) Close();
}

void TIntrobox::FormClose(TObject*, TCloseAction& Action) {
  // Until the main window has started the timer, the box stays; once it is
  // going, a second click must not free it twice.
  if (!Timer1->Enabled() || FGoing) {
    Action = caNone;
    return;
  }
  Action = caFree;
  FGoing = true;
  Introbox = nullptr;
}

void TIntrobox::ModalBegins() {
  if (FGoing) return;
  FGoing = true;
  Introbox = nullptr;
  Release();
}
