#include "app/GlobalSettings.h"
#include "app/SettingsStore.h"
#include "ini/IniFile.h"
#include "ini/IntegerText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

class Settings : public ::testing::Test {
protected:
    void storeFile(const std::string& lines) { writeFile(m_home / "settings.ini", "[Vardle]\r\n" + lines); }

    TempDir m_home;
};

TEST_F(Settings, StoreTellsAStoredEmptyValueFromAMissingOne)
{
    storeFile("FileMask=\r\nLastProfile=work.prf\r\n");
    const SettingsStore store(m_home.str());
    EXPECT_EQ(store.read("FileMask"), std::optional<std::string>(""));
    EXPECT_EQ(store.read("LastProfile"), std::optional<std::string>("work.prf"));
    EXPECT_EQ(store.read("SmallFileSize"), std::nullopt);
}

TEST_F(Settings, FirstRunWritesOnlyTheThreeTextValues)
{
    SettingsStore store(m_home.str());
    GlobalSettings settings;
    settings.loadStore(store, m_home.str());

    EXPECT_EQ(settings.fileMask, "*.jpg;*.gif;*.png");
    EXPECT_EQ(settings.lastProfile, "default.prf");
    EXPECT_EQ(settings.imageSourceDir, m_home.str() + "Photos");
    EXPECT_EQ(settings.smallFileSize, 10);
    EXPECT_EQ(settings.largeFileSize, 200);
    EXPECT_FALSE(settings.skipSmallFiles);
    EXPECT_FALSE(settings.skipLargeFiles);
    EXPECT_EQ(settings.compression1, 80);
    EXPECT_EQ(settings.compression2, 97);

    EXPECT_EQ(store.read("FileMask"), std::optional<std::string>("*.jpg;*.gif;*.png"));
    EXPECT_EQ(store.read("LastProfile"), std::optional<std::string>("default.prf"));
    EXPECT_EQ(store.read("ImageSourceDir"), std::optional<std::string>(m_home.str() + "Photos"));
    for (const char* name : {"SmallFileSize", "SkipSmallFiles", "LargeFileSize", "SkipLargeFiles", "Compression1",
                             "Compression2", "JPG"})
        EXPECT_EQ(store.read(name), std::nullopt) << name;
}

TEST_F(Settings, StoredValuesAreTakenAsTheyStand)
{
    storeFile("FileMask=\r\nLastProfile=work.prf\r\nSmallFileSize=20\r\nSkipSmallFiles=2\r\n"
              "LargeFileSize=2000\r\nSkipLargeFiles=0\r\nCompression1=50\r\nCompression2=-3\r\n"
              "ImageSourceDir=/photos/2024\r\n");
    const std::string before = readFile(m_home / "settings.ini");
    SettingsStore store(m_home.str());
    GlobalSettings settings;
    settings.loadStore(store, m_home.str());

    EXPECT_EQ(settings.fileMask, "") << "an empty mask means no format was chosen";
    EXPECT_EQ(settings.lastProfile, "work.prf");
    EXPECT_EQ(settings.smallFileSize, 20);
    EXPECT_TRUE(settings.skipSmallFiles) << "any non-zero number switches the limit on";
    EXPECT_EQ(settings.largeFileSize, 2000);
    EXPECT_FALSE(settings.skipLargeFiles);
    EXPECT_EQ(settings.compression1, 50);
    EXPECT_EQ(settings.compression2, -3);
    EXPECT_EQ(settings.imageSourceDir, "/photos/2024");
    EXPECT_EQ(readFile(m_home / "settings.ini"), before) << "nothing is written when every value is stored";
}

TEST_F(Settings, NumberThatIsNotDecimalStopsWithTheStoredText)
{
    const struct {
        const char* name;
        const char* value;
    } cases[] = {{"SmallFileSize", "12a"}, {"SkipSmallFiles", "yes"}, {"LargeFileSize", "$1F"},
                 {"SkipLargeFiles", "0x1"}, {"Compression1", ""},      {"Compression2", "9.5"}};
    for (const auto& c : cases) {
        storeFile(std::string(c.name) + "=" + c.value + "\r\n");
        SettingsStore store(m_home.str());
        GlobalSettings settings;
        try {
            settings.loadStore(store, m_home.str());
            ADD_FAILURE() << "no error for " << c.name << "=" << c.value;
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(c.value) + "' is not a valid integer value");
        }
        // The values before the bad one are in place, those after it are not read.
        EXPECT_EQ(store.read("LastProfile"), std::optional<std::string>("default.prf"));
        EXPECT_EQ(store.read("ImageSourceDir"), std::nullopt);
    }
}

TEST_F(Settings, AlbumConfigGivesLastCatalogAndProxyWithTheirDefaults)
{
    const IniFile albumConfig((m_home / "album.cfg").string());
    GlobalSettings settings;
    settings.loadAlbumConfig(albumConfig);
    EXPECT_EQ(settings.lastCatalog, "");
    EXPECT_FALSE(settings.proxy.enableProxy);
    EXPECT_EQ(settings.proxy.proxyName, "ProxyAddress");
    EXPECT_EQ(settings.proxy.proxyPort, 21);
    EXPECT_EQ(settings.proxy.firewallType, "User");
    EXPECT_FALSE(settings.proxy.proxyPassiveMode);
    EXPECT_EQ(settings.proxy.proxyUser, "");
    EXPECT_EQ(settings.proxy.proxyPassword, "");
    EXPECT_FALSE(std::filesystem::exists(m_home / "album.cfg")) << "reading creates nothing";
}

TEST_F(Settings, ProxyPasswordIsStoredScrambled)
{
    writeFile(m_home / "album.cfg", "[catalog]\r\nlast catalog=/home/me/Trip.CAT\r\n[PROXY]\r\nEnable Proxy=1\r\n"
                                    "Proxy Name=fw.example.net\r\nProxy Port=2121\r\nFirewall Type=Site\r\n"
                                    "Passive Mode=1\r\nProxy User=me\r\nProxy Password=bdf\r\n");
    IniFile albumConfig((m_home / "album.cfg").string());
    GlobalSettings settings;
    settings.loadAlbumConfig(albumConfig);
    EXPECT_EQ(settings.lastCatalog, "/home/me/Trip.CAT");
    EXPECT_TRUE(settings.proxy.enableProxy);
    EXPECT_EQ(settings.proxy.proxyName, "fw.example.net");
    EXPECT_EQ(settings.proxy.proxyPort, 2121);
    EXPECT_EQ(settings.proxy.firewallType, "Site");
    EXPECT_TRUE(settings.proxy.proxyPassiveMode);
    EXPECT_EQ(settings.proxy.proxyUser, "me");
    EXPECT_EQ(settings.proxy.proxyPassword, "abc");

    settings.proxy.proxyPassword = "secret";
    settings.proxy.proxyPort = 8021;
    settings.proxy.save(albumConfig);
    EXPECT_EQ(albumConfig.readString("Proxy", "Proxy Password", ""), "tgfvjz");
    EXPECT_EQ(albumConfig.readString("Catalog", "Last Catalog", ""), "/home/me/Trip.CAT");
    ProxySettings again;
    again.load(albumConfig);
    EXPECT_EQ(again.proxyPassword, "secret");
    EXPECT_EQ(again.proxyPort, 8021);
    EXPECT_EQ(again.proxyName, "fw.example.net");
    EXPECT_EQ(albumConfig.readString("Proxy", "Proxy Password Hex", "none"), "none");

    // "\xC3\xA9" at byte 71 would be stored as a line feed: it goes under the second key.
    settings.proxy.proxyPassword = std::string(70, 'p') + "\xC3\xA9";
    settings.proxy.save(albumConfig);
    EXPECT_EQ(albumConfig.readString("Proxy", "Proxy Password", "none"), "");
    again.load(albumConfig);
    EXPECT_EQ(again.proxyPassword, settings.proxy.proxyPassword);
}

} // namespace
} // namespace pictaven
