#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "copp/renderer_graph_rot.h"
#include "copp/renderer_graph_state.h"
#include "tests/copp/graph_error_recorder.h"
#include "tests/graph_support/test_windows.h"

using Microsoft::WRL::ComPtr;

namespace {

TEST(FormatRotName, PointerAndProcessIdAreEightLowerCaseHexDigits) {
  struct Row {
    uintptr_t pointer;
    DWORD pid;
    const wchar_t* expected;
  };
  const Row rows[] = {
    {0x0, 0x0, L"FilterGraph 00000000 pid 00000000"},
    {0x1A2B3C, 0x1C, L"FilterGraph 001a2b3c pid 0000001c"},
    {0xDEADBEEF, 0xFFFFFFFF, L"FilterGraph deadbeef pid ffffffff"},
#if defined(_WIN64)
    // Only the low half of a 64-bit pointer fits the eight digits.
    {static_cast<uintptr_t>(0x000001F2ABCDEF01ull), 0x1234, L"FilterGraph abcdef01 pid 00001234"},
#endif
  };
  for (const Row& row : rows) {
    wchar_t name[kRotNameChars];
    FormatRotName(reinterpret_cast<const void*>(row.pointer), row.pid, name);
    EXPECT_STREQ(row.expected, name);
  }
}

TEST(ReportGraphError, FormatsPrintfStyleUnderTheSampleCaptionOwnedByTheGraphsOwner) {
  GraphErrorRecorder boxes;
  // Any window will do as the owner: the box must not stand on its own.
  const HWND owner = GetDesktopWindow();
  RendererGraph().g_hwndOwner = owner;
  ReportGraphError("FAILED(hr=0x%x) in InitVideoWindowlessVMR()\n", 0x80004005u);
  ReportGraphError("Failed to register filter graph with ROT!  hr=0x%x", 0x8000ffffu);
  ASSERT_EQ(2u, GraphErrorRecorder::Boxes().size());
  EXPECT_EQ("FAILED(hr=0x80004005) in InitVideoWindowlessVMR()\n", GraphErrorRecorder::Boxes()[0].text);
  EXPECT_EQ("Failed to register filter graph with ROT!  hr=0x8000ffff", GraphErrorRecorder::Boxes()[1].text);
  EXPECT_EQ("Windowless Sample", GraphErrorRecorder::Boxes()[1].caption);
  EXPECT_EQ(owner, GraphErrorRecorder::Boxes()[1].owner);
  RendererGraph().g_hwndOwner = nullptr;
  EXPECT_EQ(static_cast<UINT>(MB_OK), GraphErrorRecorder::Boxes()[1].style);
}

TEST(ReportGraphError, LongTextIsCutTo1023Characters) {
  GraphErrorRecorder boxes;
  const std::string text(3000, 'w');
  ReportGraphError("%s", text.c_str());
  ASSERT_EQ(1u, GraphErrorRecorder::Boxes().size());
  EXPECT_EQ(std::string(1023, 'w'), GraphErrorRecorder::Boxes()[0].text);
}

TEST(GetUnconnectPin, FindsTheFreeInputOfAFreshRenderer) {
  ScopedComApartment com;
  ComPtr<IBaseFilter> vmr;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                                   reinterpret_cast<void**>(vmr.GetAddressOf())));
  ComPtr<IPin> input;
  ASSERT_EQ(S_OK, GetUnconnectPin(vmr.Get(), PINDIR_INPUT, &input));
  ASSERT_NE(nullptr, input.Get());
  PIN_DIRECTION direction = PINDIR_OUTPUT;
  EXPECT_EQ(S_OK, input->QueryDirection(&direction));
  EXPECT_EQ(PINDIR_INPUT, direction);

  // A renderer has no output pins at all.
  ComPtr<IPin> output;
  EXPECT_EQ(S_OK, GetUnconnectPin(vmr.Get(), PINDIR_OUTPUT, &output));
  EXPECT_EQ(nullptr, output.Get());
}

TEST(RegisterGraphInRot, RegistersUnderTheFormattedNameUntilRevoked) {
  ScopedComApartment com;
  ComPtr<IGraphBuilder> graph;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(graph.GetAddressOf())));
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, RegisterGraphInRot(graph.Get(), &cookie));
  EXPECT_NE(0u, cookie);

  wchar_t name[kRotNameChars];
  FormatRotName(graph.Get(), GetCurrentProcessId(), name);
  ComPtr<IRunningObjectTable> table;
  ComPtr<IMoniker> moniker;
  ASSERT_EQ(S_OK, GetRunningObjectTable(0, &table));
  ASSERT_EQ(S_OK, CreateItemMoniker(L"!", name, &moniker));
  ComPtr<IUnknown> found;
  ASSERT_EQ(S_OK, table->GetObject(moniker.Get(), &found));
  ComPtr<IUnknown> graphIdentity;
  ComPtr<IUnknown> foundIdentity;
  ASSERT_EQ(S_OK, graph.As(&graphIdentity));
  ASSERT_EQ(S_OK, found.As(&foundIdentity));
  EXPECT_EQ(graphIdentity.Get(), foundIdentity.Get());

  RevokeGraphFromRot(cookie);
  EXPECT_EQ(S_FALSE, table->IsRunning(moniker.Get()));
}

}  // namespace
