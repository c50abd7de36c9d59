#pragma once
#include <windows.h>

#include <string>
#include <variant>

#include "domain/option_state.h"

using OptionField = std::variant<bool OptionState::*, int OptionState::*, std::string OptionState::*>;

// An option whose control holds it whole: a check box (stored as a flag), a drop-down list
// (its index) or a text field. The event is the control's notification of a change.
struct PlainOption {
    int id;
    WORD event;
    OptionField field;
    const char* value;  // in the settings key
};

// The plain option shown by the control; null for any other control.
const PlainOption* FindPlainOption(int id);
