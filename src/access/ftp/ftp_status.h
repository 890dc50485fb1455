// What the FTP client reports to its listeners: connection states and
// transfer directions.
#pragma once

namespace kelvo {

// Connection and transfer states carried by the client's status event.
enum TFtpStatus {
  hsResolving = 0,
  hsConnecting = 1,
  hsConnected = 2,
  hsDisconnecting = 3,
  hsDisconnected = 4,
  hsStatusText = 5,
  ftpTransfer = 6,
  ftpReady = 7,
  ftpAborted = 8,
};

// Direction of a transfer carried by the work events.
enum TWorkMode {
  wmRead = 0,
  wmWrite = 1,
};

}  // namespace kelvo
