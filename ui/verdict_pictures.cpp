#include "ui/verdict_pictures.h"

#include "res/resource_ids.h"

namespace {

const int kStateMarks[] = {IDB_MARK_DOUBLE_CIRCLE, IDB_MARK_CIRCLE, IDB_MARK_CROSS};
const int kBanners[] = {IDB_BANNER_SUITABLE, IDB_BANNER_LIMITED, IDB_BANNER_UNSUITABLE};

void AddStateMark(std::vector<PicturePlacement>* pictures, int mark, int x, int y) {
  if (mark < 1 || mark > 3) return;
  pictures->push_back({kStateMarks[mark - 1], x, y, 50, 50});
}

}  // namespace

std::vector<PicturePlacement> VerdictPictures(const VerdictState& marks) {
  std::vector<PicturePlacement> pictures;
  AddStateMark(&pictures, marks.osMark, 57, 204);
  AddStateMark(&pictures, marks.memoryMark, 497, 204);
  AddStateMark(&pictures, marks.displayMark, 57, 309);
  // The picture is 136 wide; its last column stays off the page's frame.
  if (marks.cpuMark == 3) pictures.push_back({IDB_MARK_CROSS_CAPTION, 497, 309, 135, 50});
  if (marks.overallMark >= 1 && marks.overallMark <= 3) {
    pictures.push_back({kBanners[marks.overallMark - 1], 150, 78, 480, 60});
  }
  return pictures;
}
