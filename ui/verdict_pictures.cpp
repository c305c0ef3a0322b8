#include "ui/verdict_pictures.h"

#include "res/page_layout.h"
#include "res/resource_ids.h"

namespace {

// Indexed by mark - kMarkDoubleCircle.
const int kStateMarks[] = {IDB_MARK_DOUBLE_CIRCLE, IDB_MARK_CIRCLE, IDB_MARK_CROSS};
const int kBanners[] = {IDB_BANNER_SUITABLE, IDB_BANNER_LIMITED, IDB_BANNER_UNSUITABLE};

bool IsDrawnMark(int mark) { return mark >= kMarkDoubleCircle && mark <= kMarkCross; }

using namespace page_layout;

void AddPicture(std::vector<PicturePlacement>* pictures, int bitmapId, const PageRect& at) {
  pictures->push_back({bitmapId, at.left, at.top, at.width(), at.height()});
}

void AddStateMark(std::vector<PicturePlacement>* pictures, int mark, const PageRect& at) {
  if (IsDrawnMark(mark)) AddPicture(pictures, kStateMarks[mark - kMarkDoubleCircle], at);
}

}  // namespace

std::vector<PicturePlacement> VerdictPictures(const VerdictState& marks) {
  std::vector<PicturePlacement> pictures;
  AddStateMark(&pictures, marks.osMark, kOsMark);
  AddStateMark(&pictures, marks.memoryMark, kMemoryMark);
  AddStateMark(&pictures, marks.displayMark, kGraphicsMark);
  if (marks.cpuMark == kMarkCross) AddPicture(&pictures, IDB_MARK_CROSS_CAPTION, kOtherMarkShown);
  if (IsDrawnMark(marks.overallMark))
    AddPicture(&pictures, kBanners[marks.overallMark - kMarkDoubleCircle], kBanner);
  return pictures;
}
