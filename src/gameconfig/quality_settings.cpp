#include "gameconfig/quality_settings.h"

#include <utility>

namespace {

struct TokenSetting {
    const char* token;
    const char* line;
    const char* text;
};

const TokenSetting kAntialiasing[] = {
    {"AANONE", "seta r_multiSamples 0", "Antialiasing: None"},
    {"AA2", "seta r_multiSamples 2", "Antialiasing: 2\xD7"},
    {"AA4", "seta r_multiSamples 4", "Antialiasing: 4\xD7"},
    {"AASYS", "", "Antialiasing: From System"},
};

const TokenSetting kFiltering[] = {
    {"AFNONE", "seta image_anisotropy 0", "Anisotropic filtering: None"},
    {"AF2", "seta image_anisotropy 2", "Anisotropic filtering: 2\xD7"},
    {"AF4", "seta image_anisotropy 4", "Anisotropic filtering: 4\xD7"},
    {"AF8", "seta image_anisotropy 8", "Anisotropic filtering: 8\xD7"},
    {"AF16", "seta image_anisotropy 16", "Anisotropic filtering: 16\xD7"},
    {"AFSYS", "", "Anisotropic filtering: From System"},
};

const char* const kShaderTokens[] = {"SLOW", "SMED", "SHIGH", "SHIGHEST"};
const char* const kShaderTexts[] = {"Shader Detail: Low", "Shader Detail: Medium", "Shader Detail: High",
                                    "Shader Detail: Highest"};

// The 24 quality variables; r_shaderLevel (no listed value) takes the level.
const std::pair<const char*, const char*> kQuality[] = {
    {"image_downSizeSoftLimit", "0"}, {"image_useHighRes", "1"},       {"image_downSizeLimit", "256"},
    {"image_ignoreHighQuality", "0"}, {"image_downSizeBumpLimit", "256"}, {"image_downSizeSpecularLimit", "256"},
    {"image_downSizeBump", "0"},      {"image_downSizeSpecular", "0"}, {"image_downSize", "0"},
    {"com_imageQuality", "2"},        {"g_showHud", "1"},              {"g_decals", "1"},
    {"ui_showGun", "1"},              {"r_shadows", "1"},              {"r_skipBump", "0"},
    {"r_skipSpecular", "0"},          {"r_correctSpecular", "1"},      {"r_normalizeBumpmap", "1"},
    {"r_skipGlowOverlay", "0"},       {"r_lowParticleDetail", "0"},    {"r_useFastSkinning", "0"},
    {"r_shaderLevel", nullptr},       {"com_fixedtic", "1"},           {"fs_restrict", "0"},
};

const char* const kBoostVariables[] = {"image_usePrecompressedTextures", "image_useNormalCompression",
                                       "image_useCompression"};

template <std::size_t N>
ScriptSetting Lookup(const TokenSetting (&table)[N], const std::string& token) {
    for (const TokenSetting& s : table) {
        if (token == s.token) return {s.line, s.text};
    }
    return {};
}

std::string Seta(const std::string& name, const std::string& value) {
    return "seta " + name + " \"" + value + "\"";
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace

ScriptSetting AntialiasingSetting(const std::string& aaToken) { return Lookup(kAntialiasing, aaToken); }
ScriptSetting FilteringSetting(const std::string& afToken) { return Lookup(kFiltering, afToken); }

std::string BoostText(bool boost) {
    return boost ? "Graphics BOOST: enabled" : "Graphics BOOST: disabled";
}

int ShaderLevel(const std::string& shaderToken) {
    for (int level = 0; level < 4; ++level) {
        if (shaderToken == kShaderTokens[level]) return level;
    }
    return kNoShaderLevel;
}

std::string ShaderText(const std::string& shaderToken) {
    const int level = ShaderLevel(shaderToken);
    return level == kNoShaderLevel ? "" : kShaderTexts[level];
}

std::vector<std::string> AutoexecLines(int shaderLevel, bool boost, const std::string& antialiasingLine,
                                       const std::string& filteringLine) {
    std::vector<std::string> lines;
    if (shaderLevel == kNoShaderLevel) return lines;
    for (const auto& [name, value] : kQuality) {
        lines.push_back(Seta(name, value ? value : std::to_string(shaderLevel)));
    }
    if (boost) {
        for (const char* name : kBoostVariables) lines.push_back(Seta(name, "0"));
    }
    lines.push_back(antialiasingLine);
    lines.push_back(filteringLine);
    return lines;
}

bool IsGeneratedAutoexec(const std::string& bytes) {
    if (bytes.empty()) return true;
    for (int level = 0; level < 4; ++level) {
        for (bool boost : {false, true}) {
            for (const TokenSetting& aa : kAntialiasing) {
                for (const TokenSetting& af : kFiltering) {
                    if (bytes == JoinCrLf(AutoexecLines(level, boost, aa.line, af.line))) return true;
                }
            }
        }
    }
    return false;
}
