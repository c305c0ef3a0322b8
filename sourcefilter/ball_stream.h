#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include "filterbase/scoped_lock.h"
#include "handles/non_copyable.h"

// What the streaming thread has delivered so far, for tests and diagnostics.
struct BallStreamRecord {
  static constexpr int kKept = 16;
  LONG delivered;                // samples the input pin accepted
  REFERENCE_TIME starts[kKept];  // start times of the first kKept of them
  HRESULT lastResult;            // of the last Receive
};

// The worker that paints a frame into each buffer of the negotiated allocator
// and hands it to the connected input pin until it is told to stop.
class BallStream : NonCopyable {
 public:
  BallStream();
  ~BallStream();

  // The allocator must be committed; both interfaces are held until Stop.
  HRESULT Start(IMemAllocator* allocator, IMemInputPin* input);
  // Decommits the allocator so that a waiting GetBuffer returns, then waits
  // for the thread. The renderer must no longer block in Receive (the graph
  // stops downstream filters first).
  void Stop();
  // True while the worker thread exists and has not ended.
  bool IsRunning() const;
  BallStreamRecord Record();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Deliver();
  void Note(REFERENCE_TIME start, HRESULT hr);

  HANDLE thread_ = nullptr;
  volatile LONG stopping_ = 0;
  Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
  Microsoft::WRL::ComPtr<IMemInputPin> input_;
  CriticalSection recordLock_;
  BallStreamRecord record_{};
};
