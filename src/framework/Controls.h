// TControl, TGraphicControl, TWinControl and TCustomControl.
//
// A control is either windowless (TGraphicControl: painted by its parent in
// z-order, fed the mouse by its parent's hit test) or windowed (TWinControl:
// a real HWND whose messages come through the framework's one window
// procedure). Bounds are kept in the object and pushed to the window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/Types.h"

class TPopupMenu;
class TForm;

LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1,
  csCaptureMouse = 2,
  csClickEvents = 4,
  csDoubleClicks = 8,
  csOpaque = 16,
  csSetCaption = 32,
  csReplicatable = 64,
  csFixedWidth = 128,
  csFixedHeight = 256,
};
using TControlStyle = unsigned;

struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // 0: no limit
  // Clamps a width or height to the constraints.
  int ClampWidth(int w) const;
  int ClampHeight(int h) const;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // ---- parent and geometry ----
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  // The one place bounds change; constraints apply, then anchors are re-based.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  virtual void SetClientSize(int w, int h);
  TRect ClientRect() const { return TRect(0, 0, ClientWidth(), ClientHeight()); }
  TPoint ClientToScreen(const TPoint& p) const;
  TPoint ScreenToClient(const TPoint& p) const;
  // The control's client origin in the coordinates of the parent window that
  // paints it (the nearest windowed ancestor, or itself when windowed).
  virtual TPoint ClientOrigin() const;

  // The DPI the control is laid out for (96 = 100 %): that of its window.
  int Dpi() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);
  TSizeConstraints& Constraints() { return FConstraints; }
  void SetConstraints(const TSizeConstraints& c);

  // ---- state ----
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);
  // Enabled and every parent enabled.
  bool IsEffectivelyEnabled() const;

  // ---- text, font, colour ----
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& value) { SetText(value); }
  virtual const std::string& GetText() const { return FText; }
  virtual void SetText(const std::string& value);
  const std::string& Text() const { return GetText(); }
  // False when the text the user typed holds a character that the program's
  // code page cannot carry (an unpaired surrogate; under a legacy code page
  // any character outside it): it then stands as '?' in Text(), and must
  // not be acted on as a name.
  bool TextExact() const {
    GetText();
    return FTextExact;
  }

  TFont* Font() { return &FFont; }
  const TFont* Font() const { return &FFont; }
  void SetFont(const TFont& f) { FFont.Assign(f); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle s) { FControlStyle = s; }

  // ---- painting ----
  virtual void Invalidate();
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }

  // ---- z-order ----
  void BringToFront();
  void SendToBack();

  // ---- input (the framework calls these after its own chores) ----
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The control's accelerator letter was typed; true when it acted.
  virtual bool DialogChar(wchar_t key);
  // A lost capture ends whatever drag the control was doing.
  virtual void CaptureLost() {}
  // Called by the framework when the control loses the mouse capture:
  // CaptureLost, then OnCaptureLost.
  void LoseCapture();
  bool MouseInControl() const { return FMouseInControl; }

  // Called by the framework for a mouse message meant for this control;
  // coordinates are in the control's client area.
  void DispatchMouse(UINT msg, WPARAM keys, int x, int y);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  // The mouse capture was taken away (another window took it mid-drag), or
  // ended with the button's release.
  TNotifyEvent OnCaptureLost;

  // The form this control sits on (nearest TForm ancestor).
  TForm* ParentForm() const;
  bool HasParent() const { return FParent != nullptr; }

  // Anchor bookkeeping: remember the current bounds and parent size as the
  // base from which anchors compute positions after the parent resizes.
  void UpdateAnchorRules();
  // Position the control after its parent's client area changed size.
  void AnchorToParent(int parentClientWidth, int parentClientHeight);

  void BeforeDestruction() override;
  // Forgets a popup menu that is freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  // Notifications a derived control may extend.
  virtual void BoundsChanged(bool sizeChanged);
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();
  virtual void Resize();
  // Width/height before constraints are applied.
  virtual void ConstrainedResize(int& w, int& h) { (void)w; (void)h; }

  std::string FText;
  bool FTextExact = true;
  bool FMouseInControl = false;

 private:
  friend class TWinControl;
  friend class TApplication;
  void RequestAlign();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akLeft | akTop;
  TSizeConstraints FConstraints;
  TRect FAnchorRules;
  int FOriginalParentW = 0, FOriginalParentH = 0;
  bool FAnchoring = false;
  bool FVisible = true;
  bool FEnabled = true;
  TFont FFont;
  bool FParentFont = true;
  bool FSettingParentFont = false;
  TColor FColor = clWindow;
  bool FParentColor = false;
  std::string FHint;
  bool FShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
  bool FClicking = false;
};

// A windowless control. Its canvas is bound to the parent's device context,
// offset and clipped to the control, while Paint runs.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return &FCanvas; }
  // Paints into the parent's DC; the framework has already offset the origin.
  void PaintTo(HDC dc);

 protected:
  virtual void Paint() {}

 private:
  TCanvas FCanvas;
};

// Follows a windowed control from outside: sees every message of the
// control's window before the control does (it only looks: the control
// still gets each one), and hears when the window has
// been made and when it is about to go. Controls make their window anew at
// times (a combo box or list box does when a style changes); an observer
// stays with the control across that, so it can set its window up again.
class TWindowObserver {
 public:
  virtual void WindowMessage(TWinControl* control, const TMessage& message) = 0;
  // The control's window exists now, its children's windows too.
  virtual void WindowCreated(TWinControl* control) = 0;
  // The window still exists, but is going (WM_DESTROY).
  virtual void WindowDestroying(TWinControl* control) = 0;

 protected:
  ~TWindowObserver() = default;
};

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  // A system window class the control's own class is built upon ("EDIT").
  std::string SystemClass;
  // The registered class name; derived from the system class or the C++ class.
  std::string WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created on demand (parents first).
  HWND Handle();
  HWND HandleIfAllocated() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  void RecreateWnd();

  // Children: windowless ones first, then windowed ones, each group in the
  // order of insertion.
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  TControl* Controls(int index) const;
  // The visible, enabled windowless child at a client point, topmost first.
  TControl* ControlAtPos(const TPoint& p, bool allowDisabled = false) const;
  bool ContainsControl(const TControl* c) const;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  TPoint ClientOrigin() const override;

  // ---- focus and tab order ----
  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;

  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }

  void Invalidate() override;
  void Update() override;

  // ---- messages ----
  // Every message of the window passes here; the default dispatches to the
  // typed handlers below and then to DefaultHandler.
  virtual void WndProc(TMessage& Message);
  // The window's original procedure (the system class or DefWindowProc).
  void DefaultHandler(TMessage& Message);
  LRESULT Perform(UINT msg, WPARAM w = 0, LPARAM l = 0);
  // Observers are told in the order they were added; adding one twice has
  // no effect. The control does not own them: an observer removes itself
  // before it goes.
  void AddWindowObserver(TWindowObserver* observer);
  void RemoveWindowObserver(TWindowObserver* observer);

  // Keyboard events, raised by the framework's key handling.
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Returns true when the key was swallowed (set to 0 by a handler).
  virtual bool DoKeyDown(WORD& key, TShiftState shift);
  virtual bool DoKeyPress(wchar_t& key);
  virtual bool DoKeyUp(WORD& key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();
  // Whether the control takes the key itself rather than the form (Tab,
  // Return, Escape, arrows).
  virtual bool WantsKey(WORD key);

  // Paints the windowless children that intersect the DC's clip box.
  void PaintControls(HDC dc, TControl* first = nullptr);
  // Paints the window (background and content) into any DC: used to make a
  // parent paint behind a see-through child.
  void PaintTo(HDC dc);

  // Re-parenting of children and notification plumbing.
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  void BeforeDestruction() override;
  void DestroyHandle();

  // Called by the framework when the window receives or loses the focus.
  virtual void FocusReceived();
  virtual void FocusLost();

  // The object behind a window of the framework; nullptr for other windows.
  static TWinControl* FromHandle(HWND wnd);
  // The control whose window is being created right now, if any.
  static TWinControl* CreatingControl();
  // The framework object that stands for a window: the window's own object,
  // or the nearest framework ancestor (a combo box's edit field).
  static TWinControl* FindControl(HWND wnd);

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateHandle();
  virtual void DestroyWnd();
  // After the window exists: push state the window should know.
  virtual void HandleCreated() {}
  // Before the window goes: pull state the object should keep.
  virtual void HandleDestroying() {}

  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);

  // Typed handlers; returning true means the message is done.
  virtual bool WMPaint(TMessage& Message);
  virtual bool WMEraseBkgnd(HDC dc);
  virtual void WMSize(int w, int h);
  virtual void WMMove(int x, int y);
  virtual bool WMSetCursor(TMessage& Message);
  // The menu asked for from the keyboard (the menu key, Shift+F10) comes
  // with screenX and screenY at -1: it opens at KeyboardMenuPoint.
  virtual bool WMContextMenu(int screenX, int screenY);
  // Where a menu asked for from the keyboard opens, in client coordinates:
  // the middle of the control, unless it has something selected to open
  // the menu beside.
  virtual TPoint KeyboardMenuPoint();
  virtual bool WMMouse(TMessage& Message);
  virtual bool WMKey(TMessage& Message);
  virtual bool WMGetDlgCode(TMessage& Message) { (void)Message; return false; }
  virtual bool WMCommandNotify(TMessage& Message);  // CN_* reflections
  virtual bool WMCtlColor(TMessage& Message);

  // Called with the paint DC; a TCustomControl paints itself here.
  virtual void PaintWindow(HDC dc);

  void BoundsChanged(bool sizeChanged) override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;

  // The brush the window erases with.
  HBRUSH BackgroundBrush();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;

 private:
  friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
  friend class TControl;
  friend class TApplication;
  void AttachHandle(HWND wnd);
  void DetachHandle();
  void UpdateBoundsFromWindow();
  void SyncWindowBounds();
  TControl* MouseTarget(int x, int y);
  void ReflectToChild(TMessage& Message, HWND child);
  // The parts of WndProc, by kind of message; true when the message is done.
  bool DispatchReflection(TMessage& Message);
  bool DispatchInput(TMessage& Message);
  bool DispatchWindowState(TMessage& Message);
  // Shows a message to the observers.
  void ObserveMessage(const TMessage& Message);
  void NotifyWindowCreated();

  std::vector<TControl*> FControls;     // windowless
  std::vector<TWinControl*> FWinControls;  // windowed
  std::vector<TWinControl*> FTabList;
  std::vector<TWindowObserver*> FObservers;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  int FAlignLevel = 0;
  bool FAlignPending = false;
  bool FSettingBounds = false;
  TControl* FCaptureControl = nullptr;
  GdiBrush FBrush;
  TColor FBrushColor = clNone;
};

// A windowed control that paints itself on its own canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return &FCanvas; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TWindowCanvas FCanvas;
};

// Frees a control's children-to-be-freed and itself later from the message
// loop; used by callbacks that must not free their own sender.
void QueueDeferred(std::function<void()> fn);

// A designed control put on its parent at its designed place: parent and
// bounds in one go.
template <class T>
T* Placed(TComponent* owner, TWinControl* parent, const char* name, int l, int t, int w, int h) {
  T* c = Designed<T>(owner, name);
  c->SetParent(parent);
  c->SetBounds(l, t, w, h);
  return c;
}
