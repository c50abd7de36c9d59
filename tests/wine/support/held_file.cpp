#include "support/held_file.h"

namespace wt {

int HeldFile::count_ = 0;

HeldFile::HeldFile(const std::string& path, const char* share)
    : eventName_("LurkmarkTestFileHeld" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++count_)),
      ready_(CreateEventA(nullptr, TRUE, FALSE, eventName_.c_str())),
      holder_("\"" + Env("LURK_TOOLS_DIR") + "\\file_holder.exe\" \"" + path + "\" " + share + " " + eventName_,
              Env("LURK_TOOLS_DIR")) {}

bool HeldFile::Held() const { return WaitForSingleObject(ready_.Get(), 10000) == WAIT_OBJECT_0; }

}  // namespace wt
