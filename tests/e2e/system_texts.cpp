#include "tests/e2e/system_texts.h"

#include <wbemidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdio>

#include "tests/support/golden_file.h"

using Microsoft::WRL::ComPtr;

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
      const bool text = SUCCEEDED(row->Get(property, 0, &value, nullptr, nullptr)) && V_VT(&value) == VT_BSTR;
      texts.push_back(text ? Cp932FromWide(V_BSTR(&value)) : std::string());
      VariantClear(&value);
    }
  }
  SysFreeString(query);
  SysFreeString(language);
  SysFreeString(space);
  return texts;
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
