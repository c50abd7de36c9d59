#pragma once
#include <string>

// The decimal separator of the user's regional settings; "." when it cannot be read.
std::string UserDecimalSeparator();
