#pragma once

// The one-line batch file in the game folder through which the game is started.
constexpr const char* kGameBatchFileName = "Lurkmark.bat";
