// The responder test: the tool answers the controller's polls as field devices do.
//
// Requests are led by 0xAA (byte 1 the device address, byte 3 the function) and may
// be preceded by 0xFF bytes; answers are led by 0x55, keep the address in byte 1,
// carry their length in byte 2 and end with a CRC-16/MODBUS of the bytes before it.
// Function 1 gets the device clock (165 bytes), function 2 fixed values (130 bytes),
// function 10 an acknowledgement (6 bytes) after its three values are traced.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "basics/wall_clock.h"
#include "link/frame.h"
#include "link/link.h"

namespace tarvex {

// The edit boxes read for every request.
struct ResponderTexts {
  std::string day = "28";  // day number in the function-1 answer
  std::string add1 = "0";  // clock shift in seconds for address 1
  std::string add2 = "0";  // clock shift in seconds for every other address
};

struct ResponderReply {
  // The answer stands in the first `length` bytes of the frame; 0: no answer.
  std::size_t length = 0;
  // Pause 9 ms before answering (byte 1 came in as 0).
  bool pause_first = false;
  // Lines for the responder pane, code page 1251.
  std::vector<std::string> trace;
};

inline constexpr auto kResponderPause = std::chrono::milliseconds(9);

// Answers the request at the start of `frame` (received bytes, older contents after
// them), building the answer over it; bytes the answer does not name keep what the
// frame holds. `clock` gives the PC's local time; `decimal_separator` is the user's,
// for the traced values. Throws ConversionError for a day/add1/add2 text that is
// not an integer (only the shift that applies is read) or a shift of an hour or more.
ResponderReply RespondToPeer(TransferBuffer& frame, const ResponderTexts& texts, WallClock& clock,
                             char decimal_separator);

// The two halves of a pass of the responder loop. ReceiveRequest waits for the
// controller's next request: ReadAnyBytes into TransferFrame, its length in
// FrameLength and returned, 0 when the wait was abandoned. AnswerRequest answers the
// request it left there, read with `texts` as the edit boxes stand once it is in:
// pauses on link.clock() when asked and writes the answer. Returns the reply with
// its trace lines for the pane; throws as RespondToPeer does.
std::size_t ReceiveRequest(Link& link);
ResponderReply AnswerRequest(Link& link, const ResponderTexts& texts, WallClock& clock,
                             char decimal_separator);

}  // namespace tarvex
