#include "ui/verdict_pictures.h"

#include "res/page_layout.h"
#include "res/resource_ids.h"

namespace {

const int kStateMarks[] = {IDB_MARK_DOUBLE_CIRCLE, IDB_MARK_CIRCLE, IDB_MARK_CROSS};
const int kBanners[] = {IDB_BANNER_SUITABLE, IDB_BANNER_LIMITED, IDB_BANNER_UNSUITABLE};

using namespace page_layout;

void AddPicture(std::vector<PicturePlacement>* pictures, int bitmapId, const PageRect& at) {
  pictures->push_back({bitmapId, at.left, at.top, at.width(), at.height()});
}

void AddStateMark(std::vector<PicturePlacement>* pictures, int mark, const PageRect& at) {
  if (mark < 1 || mark > 3) return;
  AddPicture(pictures, kStateMarks[mark - 1], at);
}

}  // namespace

std::vector<PicturePlacement> VerdictPictures(const VerdictState& marks) {
  std::vector<PicturePlacement> pictures;
  AddStateMark(&pictures, marks.osMark, kOsMark);
  AddStateMark(&pictures, marks.memoryMark, kMemoryMark);
  AddStateMark(&pictures, marks.displayMark, kGraphicsMark);
  // The picture is 136 wide; its last column stays off the page's frame.
  if (marks.cpuMark == 3) {
    AddPicture(&pictures, IDB_MARK_CROSS_CAPTION,
               {kOtherMark.left, kOtherMark.top, kOtherMark.right - 1, kOtherMark.bottom});
  }
  if (marks.overallMark >= 1 && marks.overallMark <= 3)
    AddPicture(&pictures, kBanners[marks.overallMark - 1], kBanner);
  return pictures;
}
