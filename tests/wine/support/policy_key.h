#pragma once
// The program's policy key (settings/policy_key_win.h), written as an administrator's tool
// would, in the same 32-bit view the program reads.
#include <string>

namespace wt {

// Creates the key when it is missing; an empty value stands for no value, as the program reads it.
void WritePolicyValue(const std::string& name, const std::string& value);
// Removes the key and its values; no key is fine.
void DeletePolicyKey();

}  // namespace wt
