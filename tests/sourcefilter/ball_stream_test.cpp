#include <gtest/gtest.h>
#include <wrl/client.h>

#include "sourcefilter/ball_filter.h"
#include "sourcefilter/ball_media_type.h"
#include "sourcefilter/module_refs.h"
#include "tests/graph_support/test_windows.h"

using Microsoft::WRL::ComPtr;

namespace {

// The ball source connected straight to Wine's VMR-7 in windowless mode.
class BallIntoRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(com_.Result()));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(graph_.GetAddressOf())));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                     reinterpret_cast<void**>(vmr_.GetAddressOf())));
    ASSERT_EQ(S_OK, graph_->AddFilter(vmr_.Get(), L"Video Mixing Renderer"));
    ComPtr<IVMRFilterConfig> config;
    ASSERT_EQ(S_OK,
              vmr_->QueryInterface(IID_IVMRFilterConfig, reinterpret_cast<void**>(config.GetAddressOf())));
    ASSERT_EQ(S_OK, config->SetRenderingMode(VMRMode_Windowless));
    ComPtr<IVMRWindowlessControl> windowless;
    ASSERT_EQ(S_OK, vmr_->QueryInterface(IID_IVMRWindowlessControl,
                                         reinterpret_cast<void**>(windowless.GetAddressOf())));
    windowless->SetVideoClippingWindow(windows_.Video());

    ASSERT_EQ(S_OK, BallFilter::Create(IID_IBaseFilter, reinterpret_cast<void**>(ball_.GetAddressOf())));
    ASSERT_EQ(S_OK, graph_->AddFilter(ball_.Get(), L"Bouncing Ball"));
    ASSERT_EQ(S_OK, ball_->FindPin(L"Ball", &ballOut_));
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, vmr_->EnumPins(&pins));
    ASSERT_EQ(S_OK, pins->Next(1, &vmrIn_, nullptr));
    ASSERT_EQ(S_OK, graph_->ConnectDirect(ballOut_.Get(), vmrIn_.Get(), nullptr));
    ASSERT_EQ(S_OK, graph_.As(&control_));
    windowless->SetVideoPosition(nullptr, &videoRect_);
  }

  void TearDown() override {
    if (control_) control_->Stop();
  }

  BallStream& Stream() { return static_cast<BallFilter*>(ball_.Get())->OutputPin().Stream(); }

  ScopedComApartment com_;
  TestWindows windows_;
  RECT videoRect_{0, 0, 320, 240};
  ComPtr<IGraphBuilder> graph_;
  ComPtr<IBaseFilter> vmr_;
  ComPtr<IBaseFilter> ball_;
  ComPtr<IPin> ballOut_;
  ComPtr<IPin> vmrIn_;
  ComPtr<IMediaControl> control_;
};

TEST_F(BallIntoRenderer, PinOffersTheBallFormatAndTheRendererTakesIt) {
  ComPtr<IEnumMediaTypes> types;
  ASSERT_EQ(S_OK, ballOut_->EnumMediaTypes(&types));
  AM_MEDIA_TYPE* offered[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, types->Next(2, offered, &fetched));
  ASSERT_EQ(1u, fetched);
  EXPECT_TRUE(IsBallMediaType(*offered[0]));
  ClearMediaType(*offered[0]);
  CoTaskMemFree(offered[0]);

  AM_MEDIA_TYPE connected{};
  ASSERT_EQ(S_OK, vmrIn_->ConnectionMediaType(&connected));
  EXPECT_TRUE(IsBallMediaType(connected));
  ClearMediaType(connected);

  PIN_INFO info{};
  ASSERT_EQ(S_OK, ballOut_->QueryPinInfo(&info));
  EXPECT_EQ(PINDIR_OUTPUT, info.dir);
  EXPECT_STREQ(L"Ball", info.achName);
  EXPECT_EQ(ball_.Get(), info.pFilter);
  info.pFilter->Release();
}

TEST_F(BallIntoRenderer, RunningDeliversFramesWithRisingTimestampsAndStopEndsTheThread) {
  EXPECT_FALSE(Stream().IsRunning());
  control_->Run();
  const bool delivered = PumpUntil([&] { return Stream().Record().delivered >= 6; }, 10000);
  const BallStreamRecord record = Stream().Record();
  ASSERT_TRUE(delivered) << "delivered " << record.delivered << ", last hr " << std::hex << record.lastResult;
  EXPECT_TRUE(Stream().IsRunning());
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(i * kBallFrameTime, record.starts[i]) << i;
  }

  ASSERT_EQ(S_OK, control_->Stop());
  EXPECT_FALSE(Stream().IsRunning());
  const LONG afterStop = Stream().Record().delivered;
  PumpFor(300);
  EXPECT_EQ(afterStop, Stream().Record().delivered);

  // A second run starts the clock and the picture from the beginning again.
  control_->Run();
  EXPECT_TRUE(PumpUntil([&] { return Stream().Record().delivered >= 2; }, 10000));
  EXPECT_EQ(0, Stream().Record().starts[0]);
}

TEST_F(BallIntoRenderer, ReleasingARunningGraphEndsTheStreamAndFreesEveryObject) {
  control_->Run();
  ASSERT_TRUE(PumpUntil([&] { return Stream().Record().delivered >= 2; }, 10000));
  control_.Reset();
  vmrIn_.Reset();
  ballOut_.Reset();
  ball_.Reset();
  vmr_.Reset();
  graph_.Reset();
  EXPECT_FALSE(ModuleInUse());
}

}  // namespace
