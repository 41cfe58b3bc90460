#include "app/handlers/count_boxes_of.h"

#include <QCheckBox>
#include <QLineEdit>

#include "app/tform1.h"
#include "app/widgets/cp1251.h"

namespace tarvex {

CountBoxes CountBoxesOf(const TForm1& form) {
  return CountBoxes{
      .last500 = form.Last500->isChecked(),
      .last100 = form.Last100->isChecked(),
      .last10 = form.Last10->isChecked(),
      .index = form.Index->isChecked(),
      .beg = ToCp1251(form.Beg->text()),
      .one = form.ONE->isChecked(),
      .ed_one = ToCp1251(form.EdONE->text()),
  };
}

}  // namespace tarvex
