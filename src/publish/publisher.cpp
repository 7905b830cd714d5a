#include "publish/publisher.h"

namespace quillon {

const char* refusalOf(Publisher::Op op, bool connected, bool busy) {
  const bool connecting = op == Publisher::Op::Connect;
  if (connecting && connected) return "Already connected";
  if (busy) return "Busy with another operation";
  if (!connecting && !connected) return "Not connected";
  return nullptr;
}

}  // namespace quillon
