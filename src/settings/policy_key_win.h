#pragma once
#include <string>

// The policy key, HKEY_LOCAL_MACHINE "SOFTWARE\Policies\Quenwick\Lurkmark": only administrators
// may write it, unlike the settings key that every account may. What one user must not choose
// for every other account on the PC is read from here. Read in the same 32-bit view as the
// settings key, so that both builds and the tools that set it meet one key.
constexpr const char* kPolicyKeyPath = "SOFTWARE\\Policies\\Quenwick\\Lurkmark";

// A string value of the policy key; empty when the key or the value is missing or the value is
// not a string. Never creates the key.
std::string ReadPolicyValue(const std::string& name);
