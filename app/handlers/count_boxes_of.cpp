#include "app/handlers/count_boxes_of.h"


#include "app/tform1.h"

namespace tarvex {

CountBoxes CountBoxesOf(const TForm1& form) {
  return CountBoxes{
      .last500 = form.Last500.Checked(),
      .last100 = form.Last100.Checked(),
      .last10 = form.Last10.Checked(),
      .index = form.Index.Checked(),
      .beg = form.Beg.Text(),
      .one = form.ONE.Checked(),
      .ed_one = form.EdONE.Text(),
  };
}

}  // namespace tarvex
