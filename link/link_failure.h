// Why an exchange failed. The exchanges themselves answer false, 0 or 0.0 for every
// failure; this says which, for the messages that need more than "NOT OK".
#pragma once

namespace tarvex {

enum class LinkFailure {
  kNone,            // the exchange succeeded
  kPortNotOpen,     // no port is open
  kPortGone,        // the device went away (an adapter unplugged)
  kRefused,         // another exchange was running on the link
  kSilent,          // no reply within the first-byte wait
  kShortReply,      // the reply ended before the length it announced, or is too short
  kHeaderChecksum,  // the header checksum is wrong
  kPacketChecksum,  // the packet checksum is wrong
  kNoData,          // a valid reply without the data asked for
};

// A few words for a message line: "no reply", "reply checksum wrong", ...
const char* LinkFailureText(LinkFailure failure);

}  // namespace tarvex
