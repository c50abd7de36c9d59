#pragma once

// Windows' version as major.minor: XP 5.1, Vista 6.0, 7 6.1, 8 6.2, 8.1 6.3, 10 and 11 10.0.
// 0.0 when it could not be read.
struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
};
