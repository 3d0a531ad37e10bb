// The worker of a receive: owns the port and the destination file while bytes arrive.
#pragma once

#include "serial/transfer_state.h"

namespace serial {

class CCommReceiv;

// Receives into the window's file until the device sends 0xFF, the stop code is set, or a read
// fails. Every 84 bytes make a line. Returns the stop code, or -1 when the port or the file could
// not be set up.
int CommReadProc(CCommReceiv* window, TransferState& state, const ReceiveTimeouts& timeouts);

}  // namespace serial
