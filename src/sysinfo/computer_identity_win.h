#pragma once
#include <string>

// The PC a pass runs on, for the data files of a results folder that many PCs share.
// The computer name as Windows shows it; empty when it cannot be read.
std::string ComputerName();
// The machine GUID that Windows sets up once per installation (readable without
// administrator rights); empty when missing or malformed.
std::string MachineGuid();
