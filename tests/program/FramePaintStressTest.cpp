// The frame under load: activation, deactivation, roll-up and unroll
// hundreds of times in every look, while another thread has the windows
// repaint as other programs and the system do. No control may be asked to
// paint without a device context, and nothing may end in an error box.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "FrameTestUtil.h"
#include "controls/TrsPanel.h"

using namespace frametest;

namespace {

// Windows another thread keeps asking to repaint, each in its own way: an
// invalidation painted at once, a frame repaint, a posted paint request.
class ForeignRepaints {
 public:
  ForeignRepaints() : FThread([this] { Run(); }) {}
  ~ForeignRepaints() {
    FStop = true;
    FThread.join();
  }
  ForeignRepaints(const ForeignRepaints&) = delete;
  ForeignRepaints& operator=(const ForeignRepaints&) = delete;

  void Set(std::vector<HWND> windows) {
    std::lock_guard<std::mutex> lock(FMutex);
    FWindows = std::move(windows);
  }
  int Rounds() const { return FRounds; }

 private:
  void Run() {
    while (!FStop) {
      std::vector<HWND> windows;
      {
        std::lock_guard<std::mutex> lock(FMutex);
        windows = FWindows;
      }
      for (HWND h : windows) {
        // Waits for the window's thread to paint (or gives up after a while:
        // the windows' thread may itself be waiting on this one).
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        SendMessageTimeoutW(h, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, 50, nullptr);
        SendMessageTimeoutW(h, WM_NCPAINT, 1, 0, SMTO_ABORTIFHUNG, 50, nullptr);
      }
      ++FRounds;
      Sleep(windows.empty() ? 1 : 0);
    }
  }

  std::mutex FMutex;
  std::vector<HWND> FWindows;
  std::atomic<bool> FStop{false};
  std::atomic<int> FRounds{0};
  std::thread FThread;
};

std::vector<HWND> FrameWindows(TOberFormMetal* f) {
  std::vector<HWND> out{f->Handle()};
  for (TWinControl* c : std::initializer_list<TWinControl*>{
           f->PanelHead, f->PanelHeadShade, f->PanelGraySpace, f->PanelX, f->PanelClient})
    out.push_back(c->Handle());
  return out;
}

}  // namespace

TEST(FramePaintStress, ActivationRollUpAndForeignRepaintsInEveryLook) {
  testkit::MessageBoxRecorder boxes;
  ForeignRepaints painter;
  constexpr int kRounds = 120;
  for (const Look& look : kLooks) {
    SCOPED_TRACE(look.Name);
    LookScope scope(look);
    TTestFrame* main = MakeFrame(Design{});
    Design batch;
    batch.Grip = false;
    TTestFrame* second = MakeFrame(batch);
    second->SetBounds(120, 160, 380, 260);
    Design dialog;
    dialog.Style = bsDialog;
    TTestFrame* third = MakeFrame(dialog);
    third->SetBounds(220, 240, 300, 200);
    TTestFrame* const frames[] = {main, second, third};
    std::vector<HWND> windows;
    for (TTestFrame* f : frames)
      for (HWND h : FrameWindows(f)) windows.push_back(h);
    painter.Set(windows);
    for (int i = 0; i < kRounds && boxes.Boxes.empty(); ++i) {
      TTestFrame* f = frames[i % 3];
      SetActiveWindow(f->Handle());
      if (i % 5 == 0) second->SetRolledUp(!second->RolledUp());
      if (i % 7 == 0) main->SetRolledUp(!main->RolledUp());
      // Straight back and forth, within the metal title's delays, now and then.
      if (i % 11 == 0) {
        SetActiveWindow(frames[(i + 1) % 3]->Handle());
        SetActiveWindow(f->Handle());
      }
      testkit::PumpPending();
    }
    painter.Set({});
    for (TTestFrame* f : frames) TComponent::Free(f);
    testkit::PumpPending();
  }
  EXPECT_GT(painter.Rounds(), 0);
  EXPECT_TRUE(boxes.Boxes.empty()) << boxes.Boxes.size() << " boxes, the first: "
                                   << (boxes.Boxes.empty() ? "" : boxes.Boxes.front().Text);
}
