// Work done on a thread of its own while the windows go on answering: a
// folder of 100,000 entries, or a drive slow to answer, takes longer to
// read than a key press may wait. What the work hands back runs on the GUI
// thread, from the message loop, once the work is done.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class TBackgroundTask {
 public:
  // Runs on the GUI thread with what the work found.
  using TResult = std::function<void()>;
  // The work, on its thread. `cancelled` is set once its result is no
  // longer wanted: it may stop early, and what it returns is dropped.
  using TWork = std::function<TResult(const std::atomic<bool>& cancelled)>;

  TBackgroundTask() = default;
  // Drops the result of a work still running and waits for it to end.
  ~TBackgroundTask();
  TBackgroundTask(const TBackgroundTask&) = delete;
  TBackgroundTask& operator=(const TBackgroundTask&) = delete;

  // Starts the work; one started before and still running is cancelled.
  // Only on the GUI thread. An exception the work raises is shown by the
  // application's error box when the result would have run.
  void Start(TWork work);
  // Drops the result of the running work (it ends on its own).
  void Cancel();
  // Whether a work started is still to hand back its result.
  bool Busy() const { return FCurrent != nullptr; }

 private:
  struct Job {
    std::atomic<bool> Cancelled{false};
    TResult Result;
    std::exception_ptr Failure;
    std::thread Thread;
  };
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);
  void Finished(Job* job);

  HWND FWindow = nullptr;  // a message-only window the threads post to
  // Started and not yet joined; a cancelled work stays until it has ended.
  std::vector<std::unique_ptr<Job>> FJobs;
  Job* FCurrent = nullptr;
};
