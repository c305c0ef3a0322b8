#include <ddraw.h>
#include <wrl/client.h>

#include "notice/user_notice.h"
#include "probe/directdraw_probe.h"

namespace {

HRESULT WINAPI CreateWithPlatform(GUID* guid, void** object, REFIID iid, IUnknown* outer) {
  return DirectDrawCreateEx(guid, object, iid, outer);
}

DirectDrawCreator g_creator = CreateWithPlatform;

}  // namespace

DirectDrawCreator SetDirectDrawCreator(DirectDrawCreator creator) {
  DirectDrawCreator previous = g_creator;
  g_creator = creator ? creator : CreateWithPlatform;
  return previous;
}

bool GetDirectDrawDeviceIds(HWND owner, uint32_t* vendorId, uint32_t* deviceId) {
  Microsoft::WRL::ComPtr<IDirectDraw7> directDraw;
  const HRESULT created = g_creator(nullptr, reinterpret_cast<void**>(directDraw.ReleaseAndGetAddressOf()),
                                    IID_IDirectDraw7, nullptr);
  if (FAILED(created) || !directDraw) {
    // The box only informs: the caller's run goes on once it is closed.
    NotifyUser({owner,
                "DirectDrawを利用できないため、グラフィックカードの識別情報を読み取れませんでした。\n"
                "判定はこのまま続けます。",
                nullptr, MB_OK | MB_ICONWARNING});
    return false;
  }
  DDDEVICEIDENTIFIER2 identifier{};
  const HRESULT identified = directDraw->GetDeviceIdentifier(&identifier, 0);
  directDraw.Reset();
  if (FAILED(identified)) return false;
  *vendorId = identifier.dwVendorId;
  *deviceId = identifier.dwDeviceId;
  return true;
}
