#pragma once
#include <cstdint>

// The file through which the frame recorder (a DLL the game loads as its GL library) hands
// each swap's time to the program. The program creates it for one game start, names it in
// the game's environment (kFrameCaptureVariable) and reads it once the game has ended; the
// recorder maps it at load and only stores into it afterwards.
//
// Layout, little-endian, kFrameCaptureHeaderBytes of header then the stamps:
//   offset  0  char[8]   kFrameCaptureMagic, written by the program
//   offset  8  uint32    capacity: how many stamps follow the header, written by the program
//   offset 12  uint32    the game's process ID, written by the recorder at load
//   offset 16  int64     the performance counter's frequency, written by the recorder at load
//   offset 24  uint32    count of stamps stored, written by the recorder after each stamp;
//                        it keeps counting past capacity (stamps beyond it are not stored)
//   offset 28  uint32    0
//   offset 32  int64[capacity]  QueryPerformanceCounter right after each wglSwapBuffers
// A file whose frequency is still 0 was never mapped by a recorder.

constexpr const char* kFrameCaptureVariable = "LURK_FRAME_CAPTURE";
constexpr char kFrameCaptureMagic[8] = {'L', 'R', 'K', 'F', 'R', 'M', '1', '\0'};
constexpr std::uint32_t kFrameCaptureHeaderBytes = 32;
// A 10-minute demo at 1,000 frames per second, with room: 8 MB in all.
constexpr std::uint32_t kFrameCaptureCapacity = (8u * 1024u * 1024u - kFrameCaptureHeaderBytes) / 8u;
constexpr std::uint32_t kFrameCaptureFileBytes = kFrameCaptureHeaderBytes + 8u * kFrameCaptureCapacity;

// The recorder's file name, beside QWK_Lurkmark.exe.
constexpr const char* kFrameRecorderFileName = "QWK_FrameRecorder.dll";
