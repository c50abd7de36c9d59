#include "runner/frame_capture.h"

#include <algorithm>
#include <stdexcept>

#include "platform/frame_capture_layout.h"

std::string NewFrameCaptureBytes() {
    std::string bytes(kFrameCaptureFileBytes, '\0');
    std::copy(kFrameCaptureMagic, kFrameCaptureMagic + sizeof kFrameCaptureMagic, bytes.begin());
    for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<char>((kFrameCaptureCapacity >> (8 * i)) & 0xFF);
    return bytes;
}

std::string FrameRecorderArgument(const std::string& recorderPath) {
    std::string argument = recorderPath;
    std::replace(argument.begin(), argument.end(), '\\', '/');
    return argument;
}

void PrepareFrameCapture(bool record, const AppPaths& paths, FileSystem& files, PassState& pass) {
    pass.FrameCaptureFile.clear();
    pass.FrameRecorder.clear();
    pass.FrameCaptureProblem.clear();
    if (!record) return;
    const std::string recorder = JoinPath(paths.BenchDir, kFrameRecorderFileName);
    if (!files.FileExists(recorder)) {
        pass.FrameCaptureProblem = "the frame recorder " + recorder + " is missing";
        return;
    }
    const std::string capture = JoinPath(paths.WorkDir(), kFrameCaptureFileName);
    try {
        // Fresh for each game start: stamps of an earlier game must never pass for this one's.
        files.WriteFileReplacing(capture, NewFrameCaptureBytes());
    } catch (const std::exception& e) {
        pass.FrameCaptureProblem = std::string("the capture file could not be made (") + e.what() + ")";
        return;
    }
    pass.FrameCaptureFile = capture;
    pass.FrameRecorder = FrameRecorderArgument(recorder);
}

TakenFrameCapture TakeFrameCapture(FileSystem& files, PassState& pass) {
    TakenFrameCapture taken;
    if (pass.FrameCaptureFile.empty()) {
        taken.problem = pass.FrameCaptureProblem;
        return taken;
    }
    std::string bytes;
    if (!files.ReadFileUpTo(pass.FrameCaptureFile, kFrameCaptureFileBytes, bytes)) {
        taken.problem = "the capture file " + pass.FrameCaptureFile + " could not be read";
    } else {
        taken.capture = DecodeFrameCapture(bytes);
        // A file no recorder mapped still decodes (and the run says so); this one was damaged.
        if (!taken.capture) taken.problem = "the capture file " + pass.FrameCaptureFile + " is damaged";
    }
    if (!files.DeleteFileIfExists(pass.FrameCaptureFile)) {
        taken.removalFailure = "The capture file " + pass.FrameCaptureFile + " could not be removed.";
    }
    pass.FrameCaptureFile.clear();
    return taken;
}

void DropFrameCapture(FileSystem& files, PassState& pass, LogSink& log) {
    if (pass.FrameCaptureFile.empty()) return;
    if (!files.DeleteFileIfExists(pass.FrameCaptureFile)) {
        log.Add("The capture file " + pass.FrameCaptureFile + " could not be removed.");
    }
    pass.FrameCaptureFile.clear();
}
