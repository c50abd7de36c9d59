#include "gameconfig/pass_marks.h"

namespace {
const char* const kValue = "NoErrorWarning";
}

void MarkPassUnderWay(SettingsStore& store) { store.Write(kValue, "1"); }

void MarkPassEnded(SettingsStore& store, bool batchPass) {
    if (batchPass) {
        store.WriteCreatingKey(kValue, "0");
    } else {
        store.Write(kValue, "0");
    }
}

void MarkPassRefused(SettingsStore& store) { store.WriteCreatingKey(kValue, "0"); }

void MarkRecovered(SettingsStore& store) { store.Write(kValue, "0"); }

bool PassUnderWay(SettingsStore& store) { return store.Read(kValue) == "1"; }
