#pragma once
#include <utility>

// Calls a handler held in a member through a copy of it. A handler may lead, however
// indirectly, to a new handler being assigned to that same member while it runs; the
// assignment then destroys the member's old target, but not the copy that is running.
template <class Handler, class... Args>
void CallHandler(const Handler& member, Args&&... args) {
    if (!member) return;
    const Handler running = member;
    running(std::forward<Args>(args)...);
}
