#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "domain/app_paths.h"
#include "domain/log_sink.h"
#include "platform/file_system.h"
#include "results/frame_times.h"
#include "runner/pass_state.h"

// One game start's frame capture: the file the frame recorder stores each swap's time into,
// made fresh before the game starts and read back and removed once it has ended.

// In the program's working folder; one game runs at a time.
constexpr const char* kFrameCaptureFileName = "Lurkmark frames.capture";

// A capture file before any recorder saw it: the magic and the capacity, every other byte zero.
std::string NewFrameCaptureBytes();

// The recorder as the game's command line names it: its full path with forward slashes, which
// both the engine's command parser and LoadLibrary take.
std::string FrameRecorderArgument(const std::string& recorderPath);

// Readies the capture of the game about to start. With `record` on: a fresh capture file and
// the recorder beside the program, or, when the recorder is missing or the file cannot be
// made, neither and the reason (the run then goes on without frame times). Off: nothing.
void PrepareFrameCapture(bool record, const AppPaths& paths, FileSystem& files, PassState& pass);

// The capture of the game that just ended, read (never more than a capture file holds) and
// its file removed; none when the run made none or it cannot be read as one, with the reason.
struct TakenFrameCapture {
    std::optional<FrameCapture> capture;
    std::string problem;         // why there is no capture
    std::string removalFailure;  // the file that stayed behind, or empty
};
TakenFrameCapture TakeFrameCapture(FileSystem& files, PassState& pass);

// A capture no run will read (a game that could not start, a cancelled pass, an error): its file
// removed, or the debug log says it stayed behind.
void DropFrameCapture(FileSystem& files, PassState& pass, LogSink& log);
