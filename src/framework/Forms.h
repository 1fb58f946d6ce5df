// TForm, TApplication and TScreen.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poMainFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag : unsigned {
  fsModal = 1,
  fsShowing = 2,
  fsCreated = 4,
  fsReleased = 8,  // freed once the current handler returns; closes no more
};

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TButton;

// A top-level window. Creation has two phases: the constructors of every
// class level build the designed components (the form is "loading"), then
// AfterConstruction ends the loading and raises OnCreate, so the most derived
// FormCreate sees every component of every level.
class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  void AfterConstruction();

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  unsigned FormState() const { return FFormState; }
  bool IsModal() const { return (FFormState & fsModal) != 0; }

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Focus moves to the next (or previous) tab stop after the given control.
  void SelectNext(TWinControl* current, bool forward);
  void SelectFirst();
  // Called by a control of the form that received the focus.
  void FocusChanged(TWinControl* control);
  // Called when a control leaves the form (freed, or given another parent):
  // the form forgets it, and whatever it holds, as the control to focus.
  void ControlLeaving(TControl* control);

  void Show();
  void Hide();
  void Close();
  bool CloseQuery();
  int ShowModal();
  // Frees the form from the message loop, after the current handler returns;
  // once, however often it is asked (another program may send WM_CLOSE
  // twice before the loop comes round).
  void Release();
  bool Active() const;

  // Form-level key handling: Tab, Return (default button), Escape (cancel
  // button) and accelerator letters of the form's controls.
  virtual bool DialogKey(WORD key, TShiftState shift);
  bool DialogChar(wchar_t key) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnPaint;

  void BeforeDestruction() override;
  void WndProc(TMessage& Message) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientSize(int w, int h) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleCreated() override;
  void VisibleChanged() override;
  void TextChanged() override;
  void Paint() override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  void WMSize(int w, int h) override;

 private:
  void ApplyPosition();
  void UpdateWindowStyle();
  void ShowWindowNow(bool show);
  TButton* FindButton(bool wantDefault) const;
  // The parts of WndProc, by kind of message; true when the message is done.
  bool DispatchFormLifetime(TMessage& Message);
  bool DispatchFormInput(TMessage& Message);
  void WMActivate(TMessage& Message);
  void ApplyTrackLimits(MINMAXINFO& mm);

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  int FModalResult = 0;
  unsigned FFormState = 0;
  // Tells a queued release whether the form is still there to free.
  std::shared_ptr<char> FAlive = std::make_shared<char>();
  bool FPositioned = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
};

// A program-wide notification that several parts of the program follow at
// once: each adds its handler and removes it by the key Add gave. A handler
// may add or remove handlers, itself included, while the notification runs;
// one removed before its turn is not called.
class TNotifyList {
 public:
  int Add(TNotifyEvent handler);
  void Remove(int key);
  void Notify(TObject* sender);
  bool Empty() const { return FHandlers.empty(); }

 private:
  std::vector<std::pair<int, TNotifyEvent>> FHandlers;
  int FNextKey = 1;
};

class TScreen : public TObject {
 public:
  TScreen();
  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  // crDefault lets every window choose its own cursor.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  HCURSOR Cursors(TCursor index) const;
  void SetCursors(TCursor index, HCURSOR cursor);
  TForm* ActiveForm() const;

 private:
  TCursor FCursor = crDefault;
  std::map<int, HCURSOR> FCursors;
};

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value);
  TForm* MainForm() const { return FMainForm; }

  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    form->AfterConstruction();
    if (!FMainForm) FMainForm = form;
    return form;
  }

  // Shows the main form and runs the message loop until Terminate.
  void Run();
  void ProcessMessages();
  // Waits for and handles one message; false when the loop should end.
  bool HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void Minimize();
  void Restore();
  void BringToFront();
  bool Active() const { return FActive; }

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  // Raised just before something modal opens: a form's ShowModal, a message
  // box, a file dialog. A window that stays on top uses it to get out of the
  // way, so that no modal window ever opens underneath it.
  TNotifyList OnModalBegin;
  void ModalStarted();
  // Raised when the message loop takes a key press (WM_KEYDOWN or
  // WM_SYSKEYDOWN) for any window of the program, before that window sees
  // it: the program was handed a key, whichever window has the focus.
  TNotifyList OnKeyPressed;

  int HintPause() const { return FHintPause; }
  void SetHintPause(int ms) { FHintPause = ms; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int ms) { FHintHidePause = ms; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  void CancelHint();

  // The default error box for an exception that escaped a handler.
  void HandleException(const std::exception& e);
  // Every message box of the program goes through here (and the seam).
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // A hidden window for timers and deferred calls.
  HWND UtilityWindow();
  // Runs fn from the message loop, after the current handler has returned.
  void QueueCall(std::function<void()> fn);
  // Runs queued calls now (tests use it to settle state).
  void RunQueuedCalls();

  // ---- framework internals ----
  TControl* MouseControl() const { return FMouseControl; }
  void MouseMovedIn(TWinControl* window, int x, int y);
  void MouseLeftWindow(TWinControl* window);
  void ControlDestroyed(TControl* control);
  void HandleDestroying(TWinControl* control);
  void AppActivated(bool active);
  void FormDestroyed(TForm* form);
  // The form whose activation events last said that it holds activation
  // inside the program; it keeps it while another program is active.
  TForm* ActivatedForm() const { return FActivatedForm; }
  void SetActivatedForm(TForm* form) { FActivatedForm = form; }
  // Disables the other top-level windows while a modal form runs.
  std::vector<HWND> DisableTaskWindows(HWND except);
  static void EnableTaskWindows(const std::vector<HWND>& windows);
  bool IsKeyMsg(MSG& msg);

 private:
  void ProcessMessage(MSG& msg);
  void SetMouseControl(TControl* c);
  void UpdateHint();
  void ShowHintNow();
  static LRESULT CALLBACK UtilityProc(HWND, UINT, WPARAM, LPARAM);

  std::string FTitle;
  TForm* FMainForm = nullptr;
  TForm* FActivatedForm = nullptr;
  bool FTerminated = false;
  bool FActive = false;
  HWND FUtility = nullptr;
  std::deque<std::function<void()>> FCalls;
  bool FCallPosted = false;
  TControl* FMouseControl = nullptr;
  HWND FTrackedWindow = nullptr;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  HWND FTooltip = nullptr;
  TControl* FHintControl = nullptr;
  bool FHintShown = false;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates Application and Screen once; the program body and every test
// executable call it first.
void InitFramework();

// Gives the window the program's icon resource at the sizes of its scale
// (32 and 16 pixels at 96 DPI), for the task bar, the task switchers and
// the window's corner. The icons are loaded once per size and kept to the
// end of the process, since the window goes on showing them.
void SetWindowIcons(HWND window, const char* resource, int dpi);
