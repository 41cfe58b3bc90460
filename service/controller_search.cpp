#include "service/controller_search.h"


#include "link/port_name.h"
#include "service/service_commands.h"

namespace tarvex {

std::vector<std::int32_t> SearchBauds(std::int32_t first) {
  std::vector<std::int32_t> bauds{first};
  for (const std::int32_t baud : {9600, 19200, 38400, 57600, 115200}) {
    if (baud != first) bauds.push_back(baud);
  }
  return bauds;
}

std::vector<SearchHit> SearchController(Link& link, const std::vector<std::string>& ports,
                                        const std::vector<std::int32_t>& bauds, SearchSink& sink) {
  std::vector<SearchHit> hits;
  link.SetFirstByteWait(kSearchFirstByteWait);
  const int per_port = static_cast<int>(bauds.size());
  int done = 0;
  for (const std::string& port : ports) {
    const int port_end = done + per_port;
    for (const std::int32_t baud : bauds) {
      // Lets a stop request end the search between tries, where nothing else pumps.
      link.hooks().PumpMessages();
      OpenFailure failure;
      if (!link.Open(PortNameFromText(port), baud, &failure)) {
        const bool device = failure.kind == OpenFailure::Kind::kDevice;
        sink.Skipped(port, device ? 0 : baud, failure.reason);
        if (device) break;
        sink.Tried(++done);
        continue;
      }
      const std::int32_t identifier = ReadIdent(link);
      sink.Tried(++done);
      if (IsIdentRead(identifier)) {
        hits.push_back({port, baud, identifier});
        sink.Found(hits.back());
        break;
      }
    }
    done = port_end;
    sink.Tried(done);
  }
  link.Close();
  link.SetFirstByteWait(Link::kFirstByteWait);
  return hits;
}

}  // namespace tarvex
