// Loading and saving files: the "DataBase" channel trace and saves that never truncate.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "OvData/OvDataBase.h"
#include "OvData/OvFileReplace.h"
#include "OvDataTestSupport.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << content;
}

// Writes the first half of what it is given, then fails as a full disk would.
class HalfWritingFile : public OvFile {
public:
    OV_DESTROY_SLOT(HalfWritingFile)

    int32_t Write(const void* buffer, int32_t count, int32_t* written) override
    {
        OvFile::Write(buffer, count / 2, written);
        RaiseSystemError(28, "disk full", 0);
    }
};

class OvDataBaseFileTest : public ::testing::Test {
protected:
    OvScopedDebugCapture fCapture;
    OvScopedTempFolder fFolder;
};

TEST_F(OvDataBaseFileTest, ChecksumMultipliesBy37AndDropsTheTopBit)
{
    EXPECT_EQ(OvDataBaseChecksum(""), 0u);
    EXPECT_EQ(OvDataBaseChecksum("ab"), 0xE67u);
    EXPECT_EQ(OvDataBaseChecksum("zzzzzzzzzz"), 0x5BEF30CCu);
    EXPECT_EQ(OvDataBaseChecksum("\xFF"), 0xFFu);  // bytes count unsigned
}

TEST_F(OvDataBaseFileTest, SaveAndLoadTraceTheChecksumAndFileNameOnTheDataBaseChannel)
{
    const OvFileSpec file(fFolder.File("Controls.txt").c_str());
    OvDataBase saved;
    saved.SetValue("a", "1");
    saved.SetValue("b", "2");

    saved.SaveToFile(file);  // the channel is off by default
    EXPECT_EQ(fCapture.Text(), "");

    EnableChannel(kOvChannelDataBase, true);
    saved.SaveToFile(file);
    OvDataBase loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(fCapture.Lines(),
              (std::vector<std::string>{"WRITE:  0d85cd2e Controls.txt", "READ: 0d85cd2e Controls.txt"}));
    EXPECT_EQ(ReadFile(fFolder.File("Controls.txt")), "a = 1\r\nb = 2\r\n");
    EXPECT_EQ(Bytes(loaded.GetValue("b", "")), "2");
}

TEST_F(OvDataBaseFileTest, AFileWithLfLineEndsIsSavedWithLf)
{
    const std::string path = fFolder.File("Simulation.txt");
    WriteFile(path, "Display0 = Main\nMain =\n{\n\tBrightness = 120\n}\n");
    OvDataBase dataBase;
    dataBase.LoadFromFile(OvFileSpec(path.c_str()));
    dataBase.SetInt("Main/Brightness", 80);
    dataBase.SaveToFile(OvFileSpec(path.c_str()));
    EXPECT_EQ(ReadFile(path), "Display0 = Main\nMain = \n{\n\tBrightness = 80\n}\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path + ".tmp")));
}

TEST_F(OvDataBaseFileTest, LoadingAMissingFileRaisesFileNotOpen)
{
    const std::string path = fFolder.File("Missing.txt");
    OvDataBase dataBase;
    ExpectError([&] { dataBase.LoadFromFile(OvFileSpec(path.c_str())); }, 12,
                "FileNotOpen (for reading, errno=2): " + path);
}

TEST_F(OvDataBaseFileTest, AnInterruptedSaveLeavesTheTargetAsItWas)
{
    const std::string path = fFolder.File("Controls.txt");
    WriteFile(path, "Brightness = 120\r\n");
    OvDataBase dataBase;
    for (int i = 0; i < 100; ++i) dataBase.SetInt(OvString::Format("Key%d", i), i);

    HalfWritingFile failing;
    ExpectError([&] { OvWriteFileReplacing(OvFileSpec(path.c_str()), dataBase.ToText(), failing); }, 68,
                "System error: 28 disk full");
    EXPECT_EQ(ReadFile(path), "Brightness = 120\r\n");
    EXPECT_FALSE(failing.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path + ".tmp")));

    OvFile plain;  // the same call with a working file replaces the target
    OvWriteFileReplacing(OvFileSpec(path.c_str()), dataBase.ToText(), plain);
    EXPECT_EQ(ReadFile(path), Bytes(dataBase.ToText()));
}

}  // namespace
