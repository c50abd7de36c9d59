#pragma once
#include <string>

// The program's per-machine data folder: "{common application data}\Quenwick\Lurkmark\"
// (normally C:\ProgramData\Quenwick\Lurkmark\).
std::string MachineDataFolder();

// AppPaths::DataDir for a program in benchDir: empty when the program may create files in
// its own folder (it then works there as it always has), else the data folder, created when
// missing. A data folder that cannot be created is still returned: writing there then fails
// with the system's message, as a write into the program's folder would.
std::string DataDirFor(const std::string& benchDir);

// The signed-in user's own data folder: "{local application data}\Quenwick\Lurkmark\",
// created when missing; only that user (and administrators) may write there. Empty when the
// system names no such folder.
std::string UserDataFolder();
