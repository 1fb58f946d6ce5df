#include "framework/BackgroundTask.h"

#include <algorithm>
#include <system_error>

#include "framework/Forms.h"

namespace {
constexpr UINT kWorkDone = WM_APP + 1;  // lParam: the job
const wchar_t kClassName[] = L"OQ.BackgroundTask";
}  // namespace

TBackgroundTask::~TBackgroundTask() {
  for (const std::unique_ptr<Job>& job : FJobs) {
    job->Cancelled = true;
    if (job->Thread.joinable()) job->Thread.join();
  }
  // Done messages still queued go with the window.
  if (FWindow) DestroyWindow(FWindow);
}

void TBackgroundTask::Start(TWork work) {
  Cancel();
  if (!FWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);  // fails harmlessly once the class exists
    FWindow = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    if (!FWindow) throw EOutOfResources("No window for a background task");
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  auto job = std::make_unique<Job>();
  Job* j = job.get();
  const HWND wnd = FWindow;
  FJobs.push_back(std::move(job));
  try {
    j->Thread = std::thread([j, wnd, work = std::move(work)] {
      try {
        j->Result = work(j->Cancelled);
      } catch (...) {
        j->Failure = std::current_exception();
      }
      // The job is looked up again when this arrives: a task that has gone
      // meanwhile took its window, and the message, with it.
      PostMessageW(wnd, kWorkDone, 0, reinterpret_cast<LPARAM>(j));
    });
  } catch (const std::system_error&) {
    FJobs.pop_back();
    throw EOutOfResources("No thread for a background task");
  }
  FCurrent = j;
}

void TBackgroundTask::Cancel() {
  if (!FCurrent) return;
  FCurrent->Cancelled = true;
  FCurrent = nullptr;
}

LRESULT CALLBACK TBackgroundTask::WindowProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg != kWorkDone) return DefWindowProcW(wnd, msg, w, l);
  auto* task = reinterpret_cast<TBackgroundTask*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (task) task->Finished(reinterpret_cast<Job*>(l));
  return 0;
}

void TBackgroundTask::Finished(Job* job) {
  auto it = std::find_if(FJobs.begin(), FJobs.end(),
                         [job](const std::unique_ptr<Job>& j) { return j.get() == job; });
  if (it == FJobs.end()) return;
  std::unique_ptr<Job> done = std::move(*it);
  FJobs.erase(it);
  // The thread has posted its last word: the join is immediate, and what
  // it wrote is seen from here on.
  done->Thread.join();
  const bool wanted = done.get() == FCurrent && !done->Cancelled;
  if (done.get() == FCurrent) FCurrent = nullptr;
  if (!wanted) return;
  // Not raised through the system's window procedure.
  try {
    if (done->Failure) std::rethrow_exception(done->Failure);
    if (done->Result) done->Result();
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
}
