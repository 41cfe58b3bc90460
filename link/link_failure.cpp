#include "link/link_failure.h"

namespace tarvex {

const char* LinkFailureText(LinkFailure failure) {
  switch (failure) {
    case LinkFailure::kNone: return "no failure";
    case LinkFailure::kPortNotOpen: return "port not open";
    case LinkFailure::kPortGone: return "port gone";
    case LinkFailure::kRefused: return "refused, another exchange is running";
    case LinkFailure::kSilent: return "no reply";
    case LinkFailure::kShortReply: return "reply short";
    case LinkFailure::kHeaderChecksum: return "header checksum wrong";
    case LinkFailure::kPacketChecksum: return "reply checksum wrong";
    case LinkFailure::kNoData: return "reply without data";
  }
  return "unknown failure";
}

}  // namespace tarvex
