#include "tests/e2e/system_texts.h"

#include <windows.h>
// The platform headers below build on windows.h.
#include <ddraw.h>
#include <oleauto.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <cstdio>
#include <vector>

#include "tests/support/golden_file.h"

using Microsoft::WRL::ComPtr;

namespace {

std::vector<std::string> WmiTexts(const wchar_t* className, const wchar_t* property) {
  std::vector<std::string> texts;
  ComPtr<IWbemLocator> locator;
  ComPtr<IWbemServices> services;
  ComPtr<IEnumWbemClassObject> rows;
  BSTR space = SysAllocString(L"ROOT\\CIMV2");
  BSTR language = SysAllocString(L"WQL");
  BSTR query = SysAllocString((std::wstring(L"SELECT * FROM ") + className).c_str());
  if (SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&locator))) &&
      SUCCEEDED(locator->ConnectServer(space, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services)) &&
      SUCCEEDED(services->ExecQuery(language, query, WBEM_FLAG_FORWARD_ONLY, nullptr, &rows))) {
    ComPtr<IWbemClassObject> row;
    ULONG got = 0;
    while (rows->Next(WBEM_INFINITE, 1, row.ReleaseAndGetAddressOf(), &got) == S_OK && got == 1) {
      VARIANT value;
      VariantInit(&value);
      const bool text = SUCCEEDED(row->Get(property, 0, &value, nullptr, nullptr)) &&
                        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR));
      texts.push_back(text ? Cp932MarkingLoss(V_BSTR(&value)) : std::string());
      VariantClear(&value);
    }
  }
  SysFreeString(query);
  SysFreeString(language);
  SysFreeString(space);
  return texts;
}

}  // namespace

std::string WmiText(const wchar_t* className, const wchar_t* property) {
  const std::vector<std::string> texts = WmiTexts(className, property);
  return texts.size() == 1 ? texts[0] : "<" + std::to_string(texts.size()) + " instances>";
}

int DirectDrawLocalMegabytes() {
  ComPtr<IDirectDraw7> directDraw;
  DDSCAPS2 caps = {};
  caps.dwCaps = DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;
  DWORD total = 0;
  if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(directDraw.GetAddressOf()), IID_IDirectDraw7,
                                nullptr)) ||
      FAILED(directDraw->GetAvailableVidMem(&caps, &total, nullptr))) {
    return 0;
  }
  return static_cast<int>(total >> 20);
}

std::string FileVersionText(const std::string& path) {
  DWORD handle = 0;
  std::string block(GetFileVersionInfoSizeA(path.c_str(), &handle), '\0');
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, block.size(), &block[0]) ||
      !VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &size) || size < sizeof(*fixed)) {
    return "<no version block in " + path + ">";
  }
  char text[64];
  snprintf(text, sizeof(text), "%u, %u, %u, %u", HIWORD(fixed->dwFileVersionMS),
           LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  return text;
}
