#include "sourcefilter/enumerators.h"

#include <new>

#include "filterbase/single_item_enum.h"
#include "sourcefilter/ball_media_type.h"
#include "sourcefilter/module_refs.h"

namespace {

class BallTypeEnum final : public SingleItemEnum<IEnumMediaTypes, AM_MEDIA_TYPE> {
 public:
  explicit BallTypeEnum(ULONG position) : SingleItemEnum(position, kBallModuleHooks) {}
  STDMETHODIMP Clone(IEnumMediaTypes** out) override { return CreateBallTypeEnum(position_, out); }

 private:
  AM_MEDIA_TYPE* MakeItem() override { return CreateBallMediaType(); }
};

}  // namespace

HRESULT CreateBallTypeEnum(ULONG position, IEnumMediaTypes** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) BallTypeEnum(position);
  return *out ? S_OK : E_OUTOFMEMORY;
}
