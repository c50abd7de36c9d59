#pragma once
// A file held open by another process (tools/file_holder.exe), as a game holds its console
// log or an editor a configuration file, until the holder is ended with this object.
#include <string>

#include "platform/scoped_win.h"
#include "support/wine_test_support.h"

namespace wt {

class HeldFile {
public:
    // share: "none", "read" or "readwrite" (what the holder lets others do meanwhile).
    HeldFile(const std::string& path, const char* share);
    // True once the holder has the file open.
    bool Held() const;

private:
    static int count_;
    // A name of its own, so that no earlier holder's event can answer for this one.
    std::string eventName_;
    ScopedKernelHandle ready_;
    RunningProgram holder_;
};

}  // namespace wt
