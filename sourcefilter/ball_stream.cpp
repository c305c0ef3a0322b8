#include "sourcefilter/ball_stream.h"

#include "sourcefilter/ball_media_type.h"
#include "sourcefilter/ball_painter.h"

BallStream::BallStream() = default;

BallStream::~BallStream() { Stop(); }

HRESULT BallStream::Start(IMemAllocator* allocator, IMemInputPin* input) {
  if (!allocator || !input) return E_POINTER;
  if (thread_) return S_FALSE;
  allocator_ = allocator;
  input_ = input;
  {
    ScopedLock hold(recordLock_);
    record_ = BallStreamRecord{};
  }
  InterlockedExchange(&stopping_, 0);
  thread_ = CreateThread(nullptr, 0, &BallStream::ThreadMain, this, 0, nullptr);
  if (!thread_) {
    allocator_.Reset();
    input_.Reset();
    return HRESULT_FROM_WIN32(GetLastError());
  }
  return S_OK;
}

void BallStream::Stop() {
  if (!thread_) return;
  InterlockedExchange(&stopping_, 1);
  allocator_->Decommit();
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  input_.Reset();
  allocator_.Reset();
}

bool BallStream::IsRunning() const { return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT; }

BallStreamRecord BallStream::Record() {
  ScopedLock hold(recordLock_);
  return record_;
}

DWORD WINAPI BallStream::ThreadMain(void* self) {
  // Renderers may create COM objects of their own while we are inside Receive.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  static_cast<BallStream*>(self)->Deliver();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

void BallStream::Note(REFERENCE_TIME start, HRESULT hr) {
  ScopedLock hold(recordLock_);
  record_.lastResult = hr;
  if (hr != S_OK) return;
  if (record_.delivered < BallStreamRecord::kKept) record_.starts[record_.delivered] = start;
  ++record_.delivered;
}

void BallStream::Deliver() {
  BallState ball = StartBall(kBallWidth, kBallHeight);
  REFERENCE_TIME start = 0;
  while (InterlockedCompareExchange(&stopping_, 0, 0) == 0) {
    Microsoft::WRL::ComPtr<IMediaSample> sample;
    // Blocks while every buffer is downstream; a decommit ends the wait.
    if (FAILED(allocator_->GetBuffer(sample.ReleaseAndGetAddressOf(), nullptr, nullptr, 0))) break;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || sample->GetSize() < static_cast<LONG>(kBallImageSize)) break;

    PaintBall(BallFrame{data, kBallWidth, kBallHeight, kBallWidth * 4}, ball);
    MoveBall(ball, kBallWidth, kBallHeight);

    REFERENCE_TIME end = start + kBallFrameTime;
    sample->SetActualDataLength(kBallImageSize);
    sample->SetTime(&start, &end);
    sample->SetSyncPoint(TRUE);
    const HRESULT hr = input_->Receive(sample.Get());
    Note(start, hr);
    // S_FALSE: the renderer wants no more until the next run.
    if (hr != S_OK) break;
    start = end;
  }
}
