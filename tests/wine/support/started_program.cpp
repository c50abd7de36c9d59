#include "support/started_program.h"

#include "app/control_ids.h"
#include "support/window_automation.h"

namespace wt {

StartedProgram::StartedProgram(const std::string& benchFolder, const std::string& arguments,
                               const std::string& startFolder)
    : exe(InstallProgram(benchFolder)),
      program("\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments),
              startFolder.empty() ? benchFolder : startFolder) {
    main = WaitForWindow(program.ProcessId(), "TForm1");
}

HWND StartedProgram::Control(int id) const { return FindControl(main, id); }

bool StartedProgram::Exit() {
    Click(Control(ctl::Image2));
    return program.WaitForExit(15000);
}

}  // namespace wt
