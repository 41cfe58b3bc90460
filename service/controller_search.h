// Where the controller is: each port asked at each baud rate for the identifier, a
// query that changes nothing in the controller, with a short first-byte wait.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link.h"

namespace tarvex {

// Long enough for a controller to start its reply at any of the rates, short enough
// that a silent port costs little.
inline constexpr auto kSearchFirstByteWait = std::chrono::milliseconds(500);

struct SearchHit {
  std::string port;  // the port text as given
  std::int32_t baud = 0;
  std::int32_t identifier = 0;
};

class SearchSink {
 public:
  virtual ~SearchSink() = default;
  // `port` cannot be opened: none of its rates is tried. `baud` is set when only that
  // rate is refused.
  virtual void Skipped(const std::string& port, std::int32_t baud, const std::string& reason) = 0;
  // `done` tries of the ports' rates are over (tried, or passed over).
  virtual void Tried(int done) = 0;
  virtual void Found(const SearchHit& hit) = 0;
};

// The rates in the order tried: `first` (the settings' rate), then 9600, 19200,
// 38400, 57600 and 115200 without it.
std::vector<std::int32_t> SearchBauds(std::int32_t first);

// Asks each port at each rate in turn; a port's first answer ends its turn. Each try
// is bounded by the first-byte wait above and the end-of-reply silence, so the whole
// search is too. The link is left closed. Returns the answers in the order found.
std::vector<SearchHit> SearchController(Link& link, const std::vector<std::string>& ports,
                                        const std::vector<std::int32_t>& bauds, SearchSink& sink);

}  // namespace tarvex
