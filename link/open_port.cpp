// OpenPort: a network address goes to the network ports, any other name to the serial
// device backend of this platform.
#include "link/network_address.h"
#include "link/network_port.h"
#include "link/serial_port.h"

namespace tarvex {

std::unique_ptr<SerialPort> OpenPort(const std::string& name, std::int32_t baud, OpenFailure* failure,
                                     const OpenWaiting& waiting) {
  if (IsNetworkPortText(name)) return OpenNetworkPort(name, baud, failure, waiting);
  return OpenSerialDevice(name, baud, failure);
}

}  // namespace tarvex
