#pragma once

#include <gtest/gtest.h>

#include "copp/copp_session.h"
#include "simdriver/sim_renderer.h"
#include "tests/support/trace_capture.h"

// A fresh simulated driver per test and a session that is always closed.
class CoppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    renderer_ = CreateSimCoppRenderer();
    ASSERT_NE(nullptr, renderer_);
    ASSERT_TRUE(renderer_->Driver().Ready());
  }
  void TearDown() override {
    CoppCloseSession();
    if (renderer_) renderer_->Release();
    CoUninitialize();
  }
  SimScenario& Scenario() { return renderer_->Scenario(); }
  const SimObserved& Observed() { return renderer_->Driver().Observed(); }
  CoppResult Open() { return CoppOpenSession(AsRendererFilter(renderer_)); }

  SimCoppRenderer* renderer_ = nullptr;
};

// The same with the session open before each test.
class OpenCoppFixture : public CoppFixture {
 protected:
  void SetUp() override {
    CoppFixture::SetUp();
    ASSERT_EQ(kCoppOk, Open());
  }
};
