#pragma once
#include <map>
#include <vector>

#include "sysinfo/display_driver.h"

// A display driver that answers with recorded replies: the ATI query escape, the display
// class clock escape per performance level, the adapter list and the registry keys.
class FakeDisplayDriver : public DisplayDriverTransport {
public:
    struct Reply {
        bool dcCreated = true;
        int returned = 0;
        bool dcDeleted = true;
        ByteBlock output;  // copied over the start of the output block when not empty
        ByteBlock data;    // copied over the start of the data block when not empty
    };

    std::map<std::uint32_t, Reply> atiReplies;    // by query code; a missing code fails to create the DC
    std::map<std::uint32_t, Reply> classReplies;  // by performance level; likewise
    std::vector<DisplayAdapter> adapters;
    std::map<std::string, RegistryValues> keys;   // by path
    std::vector<EscapeRequest> sent;

    EscapeResult escape(EscapeRequest& request) override {
        sent.push_back(request);
        const bool ati = request.number == 0x7306 && request.device == "\\\\.\\DISPLAY1";
        const bool cls = request.number == 0x7037 && request.device == "DISPLAY";
        std::map<std::uint32_t, Reply>& replies = ati ? atiReplies : classReplies;
        if (!ati && !cls) return {};
        const std::uint32_t selector = ati ? LoadU32(request.input, 4) : LoadU32(request.data, 0);
        auto it = replies.find(selector);
        if (it == replies.end()) return {};
        const Reply& reply = it->second;
        std::copy(reply.output.begin(), reply.output.end(), request.output.begin());
        std::copy(reply.data.begin(), reply.data.end(), request.data.begin());
        return {reply.dcCreated, reply.returned, reply.dcDeleted};
    }
    std::optional<DisplayAdapter> adapter(unsigned index) override {
        if (index >= adapters.size()) return std::nullopt;
        return adapters[index];
    }
    std::optional<RegistryValues> readMachineKey(const std::string& path, const std::vector<std::string>& names) override {
        auto key = keys.find(path);
        if (key == keys.end()) return std::nullopt;
        RegistryValues found;
        for (const std::string& name : names) {
            if (auto value = key->second.find(name); value != key->second.end()) found.insert(*value);
        }
        return found;
    }

    // An ATI driver: both queries answered, the clock reply with these 10 kHz counts.
    void RecordAtiClocks(std::uint32_t engine10kHz, std::uint32_t memory10kHz) {
        ByteBlock clock(80, 0);
        StoreU32(clock, 0, 80);
        StoreU32(clock, 12, memory10kHz);
        StoreU32(clock, 44, engine10kHz);
        atiReplies[0x00110013] = {true, 0, true, clock, {}};
        atiReplies[0x00400103] = {true, 0, true, {}, {}};
    }
    // A display class driver answering one level: escape returns 1, status 0.
    void RecordClassLevel(std::uint32_t level, std::uint32_t coreHz, std::uint32_t memoryHz) {
        ByteBlock data(16, 0);
        StoreU32(data, 0, level);
        StoreU32(data, 8, coreHz);
        StoreU32(data, 12, memoryHz);
        classReplies[level] = {true, 1, true, ByteBlock(32, 0), data};
    }
};
