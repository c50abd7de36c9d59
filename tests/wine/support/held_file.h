#pragma once
// Another process holds a file open for writing, as a game that has not let go of its console
// log or a spreadsheet program showing a table, until this object is destroyed.
#include <string>

#include "platform/scoped_win.h"
#include "support/wine_test_support.h"

namespace wt {

class HeldFile {
public:
    // share: "none", "read" or "readwrite" (tools/file_holder).
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
