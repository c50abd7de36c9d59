#include "gameconfig/quality_settings.h"

#include <gtest/gtest.h>

namespace {

TEST(QualitySettings, AntialiasingAndFilteringTokens) {
    struct Case {
        ScriptSetting setting;
        const char* line;
        const char* text;
    };
    const Case cases[] = {
        {AntialiasingSetting("AANONE"), "seta r_multiSamples 0", "Antialiasing: None"},
        {AntialiasingSetting("AA2"), "seta r_multiSamples 2", "Antialiasing: 2\xD7"},
        {AntialiasingSetting("AA4"), "seta r_multiSamples 4", "Antialiasing: 4\xD7"},
        {AntialiasingSetting("AASYS"), "", "Antialiasing: From System"},
        {AntialiasingSetting(""), "", ""},
        {FilteringSetting("AFNONE"), "seta image_anisotropy 0", "Anisotropic filtering: None"},
        {FilteringSetting("AF2"), "seta image_anisotropy 2", "Anisotropic filtering: 2\xD7"},
        {FilteringSetting("AF4"), "seta image_anisotropy 4", "Anisotropic filtering: 4\xD7"},
        {FilteringSetting("AF8"), "seta image_anisotropy 8", "Anisotropic filtering: 8\xD7"},
        {FilteringSetting("AF16"), "seta image_anisotropy 16", "Anisotropic filtering: 16\xD7"},
        {FilteringSetting("AFSYS"), "", "Anisotropic filtering: From System"},
        {FilteringSetting(""), "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.setting.line, c.line);
        EXPECT_EQ(c.setting.text, c.text);
    }
}

TEST(QualitySettings, ShaderTokensGiveLevelAndText) {
    const char* tokens[] = {"SLOW", "SMED", "SHIGH", "SHIGHEST"};
    const char* texts[] = {"Shader Detail: Low", "Shader Detail: Medium", "Shader Detail: High",
                           "Shader Detail: Highest"};
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(ShaderLevel(tokens[level]), level);
        EXPECT_EQ(ShaderText(tokens[level]), texts[level]);
        EXPECT_EQ(AutoexecLines(level, false, "", "")[21], "seta r_shaderLevel \"" + std::to_string(level) + "\"");
    }
    EXPECT_EQ(ShaderLevel(""), kNoShaderLevel);
    EXPECT_EQ(ShaderText(""), "");
    EXPECT_EQ(BoostText(true), "Graphics BOOST: enabled");
    EXPECT_EQ(BoostText(false), "Graphics BOOST: disabled");
}

TEST(QualitySettings, ScriptLinesInOrder) {
    const std::vector<std::string> lines = AutoexecLines(1, false, "seta r_multiSamples 2", "");
    ASSERT_EQ(lines.size(), 26u);
    const char* expected24[] = {
        "seta image_downSizeSoftLimit \"0\"", "seta image_useHighRes \"1\"", "seta image_downSizeLimit \"256\"",
        "seta image_ignoreHighQuality \"0\"", "seta image_downSizeBumpLimit \"256\"",
        "seta image_downSizeSpecularLimit \"256\"", "seta image_downSizeBump \"0\"", "seta image_downSizeSpecular \"0\"",
        "seta image_downSize \"0\"", "seta com_imageQuality \"2\"", "seta g_showHud \"1\"", "seta g_decals \"1\"",
        "seta ui_showGun \"1\"", "seta r_shadows \"1\"", "seta r_skipBump \"0\"", "seta r_skipSpecular \"0\"",
        "seta r_correctSpecular \"1\"", "seta r_normalizeBumpmap \"1\"", "seta r_skipGlowOverlay \"0\"",
        "seta r_lowParticleDetail \"0\"", "seta r_useFastSkinning \"0\"", "seta r_shaderLevel \"1\"",
        "seta com_fixedtic \"1\"", "seta fs_restrict \"0\""};
    for (int i = 0; i < 24; ++i) EXPECT_EQ(lines[i], expected24[i]);
    EXPECT_EQ(lines[24], "seta r_multiSamples 2");
    EXPECT_EQ(lines[25], "");
    EXPECT_TRUE(AutoexecLines(kNoShaderLevel, true, "seta r_multiSamples 2", "x").empty());
}

TEST(QualitySettings, GeneratedFilesAreRecognisedAndUserFilesAreNot) {
    auto bytes = [](const std::vector<std::string>& lines) {
        std::string b;
        for (const std::string& l : lines) b += l + "\r\n";
        return b;
    };
    EXPECT_TRUE(IsGeneratedAutoexec(""));
    EXPECT_TRUE(IsGeneratedAutoexec(bytes(AutoexecLines(3, true, "seta r_multiSamples 4", "seta image_anisotropy 16"))));
    EXPECT_TRUE(IsGeneratedAutoexec(bytes(AutoexecLines(0, false, "", ""))));
    std::string edited = bytes(AutoexecLines(2, false, "", ""));
    edited += "bind F12 screenshot\r\n";
    EXPECT_FALSE(IsGeneratedAutoexec(edited));
    std::string lfOnly;
    for (const std::string& l : AutoexecLines(2, false, "", "")) lfOnly += l + "\n";
    EXPECT_FALSE(IsGeneratedAutoexec(lfOnly)) << "an edited copy, saved with other line ends";
    EXPECT_FALSE(IsGeneratedAutoexec("seta r_gamma \"1.2\"\r\n"));
}

}  // namespace
