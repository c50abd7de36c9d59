#pragma once
#include <string>
#include <vector>

// The quality settings of a pass as the game's start-up script spells them, and as the
// debug log and the report name them. Texts are code page 1252.

// The shader, antialiasing, filtering and boost texts of the pass.
struct PassSettingsTexts {
    std::string shader;
    std::string antialiasing;
    std::string filtering;
    std::string boost;
};

// A start-up script line ("seta r_multiSamples 4"; empty: the game keeps its own) and its text.
struct ScriptSetting {
    std::string line;
    std::string text;
};
ScriptSetting AntialiasingSetting(const std::string& aaToken);
ScriptSetting FilteringSetting(const std::string& afToken);
std::string BoostText(bool boost);

constexpr int kNoShaderLevel = -1;
int ShaderLevel(const std::string& shaderToken);  // 0..3, or kNoShaderLevel
std::string ShaderText(const std::string& shaderToken);

// The lines of the generated autoexec.cfg: none without a shader level; otherwise the 24 quality
// lines, the three boost lines when boost is on, then the antialiasing and filtering lines.
std::vector<std::string> AutoexecLines(int shaderLevel, bool boost, const std::string& antialiasingLine,
                                       const std::string& filteringLine);

// True when the bytes are exactly a file AutoexecLines can produce (written with CR LF).
bool IsGeneratedAutoexec(const std::string& bytes);
