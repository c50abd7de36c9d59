#pragma once
#include <functional>

namespace wt {

// Runs this thread's message loop until `done` holds or `timeoutMs` has passed; true when
// `done` held. Sleeps between messages (no busy loop); the timeout only guards against a hang.
bool PumpMessagesUntil(const std::function<bool()>& done, unsigned long timeoutMs = 30000);

}  // namespace wt
