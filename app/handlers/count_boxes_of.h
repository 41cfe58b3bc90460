// The main window's count boxes and their edit texts, as the retrievals read them.
#pragma once

#include "basics/count_boxes.h"

namespace tarvex {

class TForm1;

// The boxes as they stand now; a retrieval reads them again for every record, since
// the window stays live while it runs.
CountBoxes CountBoxesOf(const TForm1& form);

}  // namespace tarvex
