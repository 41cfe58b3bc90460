#include "link/record_read.h"

#include "link/frame.h"

namespace tarvex {

std::int32_t ReadIndexedRecord(Link& link, std::uint8_t code, std::int32_t index) {
  link.FrameLength = static_cast<std::int32_t>(BuildIndexedRequest(link.TransferFrame, code, index));
  return link.ExchangeData(link.TransferFrame, static_cast<std::size_t>(link.FrameLength));
}

}  // namespace tarvex
