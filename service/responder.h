// The responder test: the tool answers the controller's polls as field devices do.
//
// Requests are led by 0xAA (byte 1 the device address, byte 3 the function) and may
// be preceded by 0xFF bytes; answers are led by 0x55, keep the address in byte 1,
// carry their length in byte 2 and end with a CRC-16/MODBUS of the bytes before it.
// Function 1 gets the device clock (165 bytes), function 2 fixed values (130 bytes),
// function 10 an acknowledgement (6 bytes) after its three values are traced.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/link.h"
#include "log/wall_clock.h"

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

// One pass of the responder loop: waits for bytes into TransferFrame
// (ReadAnyBytes), answers them, pauses on link.clock() when asked and writes the
// answer. `read_texts` is called once the bytes are in, so that an edit made while
// the wait ran applies to the request that ends it. Returns the reply with its trace
// lines for the pane; nothing when the wait was abandoned. Throws as RespondToPeer
// does.
ResponderReply RunResponderStep(Link& link, const std::function<ResponderTexts()>& read_texts,
                                WallClock& clock, char decimal_separator);

}  // namespace tarvex
