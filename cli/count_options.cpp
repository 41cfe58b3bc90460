#include "cli/count_options.h"

#include <string>

#include "cli/exit_status.h"

namespace tarvex::cli {

CountBoxes CountBoxesFromOptions(const Invocation& invocation, std::string_view one_option) {
  const std::string one(one_option);
  const auto last = invocation.Value("--last");
  const auto index = invocation.Value(one);
  if (last && index) throw CliError(kUsage, "--last and " + one + " exclude each other");
  CountBoxes boxes;
  if (last) {
    const std::int32_t count = IntegerValue("--last", *last);
    // The window would read nothing and say nothing: a typing error, told as one.
    if (count < 0) throw CliError(kUsage, "--last " + *last + ": a count cannot be below 0");
    boxes.beg = std::to_string(count);
  }
  if (index) {
    boxes.one = true;
    boxes.ed_one = std::to_string(IntegerValue(one, *index));
  }
  return boxes;
}

}  // namespace tarvex::cli
