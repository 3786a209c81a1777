// Loading and saving files: the "DataBase" channel trace and saves that never truncate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OvData/OvDataBase.h"
#include "OvData/OvFileReplace.h"
#include "OvDataTestSupport.h"
#include "OvTools/OvDebug.h"
#include "Support/OvCaptureStream.h"

namespace {

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
    OvTestFolder fFolder;
};

TEST_F(OvDataBaseFileTest, SaveAndLoadTraceTheChecksumAndFileNameOnTheDataBaseChannel)
{
    // The checksum multiplies by 37, adds each unsigned byte and drops the top bit.
    EXPECT_EQ(OvDataBaseChecksum(""), 0u);
    EXPECT_EQ(OvDataBaseChecksum("ab"), 0xE67u);
    EXPECT_EQ(OvDataBaseChecksum("zzzzzzzzzz"), 0x5BEF30CCu);
    EXPECT_EQ(OvDataBaseChecksum("\xFF"), 0xFFu);

    const OvFileSpec file = OvSpec(fFolder.Path("Controls.txt"));
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
}

TEST_F(OvDataBaseFileTest, AFileWithLfLineEndsIsSavedWithLf)
{
    fFolder.WriteFile("Simulation.txt", "Display0 = Main\nMain =\n{\n\tBrightness = 120\n}\n");
    const OvFileSpec file = OvSpec(fFolder.Path("Simulation.txt"));
    OvDataBase dataBase;
    dataBase.LoadFromFile(file);
    dataBase.SetInt("Main/Brightness", 80);
    dataBase.SaveToFile(file);
    EXPECT_EQ(fFolder.ReadFile("Simulation.txt"), "Display0 = Main\nMain = \n{\n\tBrightness = 80\n}\n");
    EXPECT_FALSE(fFolder.Exists("Simulation.txt.tmp"));

    const std::string missing = fFolder.Path("Missing.txt");
    EXPECT_OV_ERROR(dataBase.LoadFromFile(OvSpec(missing)), 12, "FileNotOpen (for reading, errno=2): " + missing);
}

TEST_F(OvDataBaseFileTest, AnInterruptedSaveLeavesTheTargetAsItWas)
{
    fFolder.WriteFile("Controls.txt", "Brightness = 120\r\n");
    const OvFileSpec file = OvSpec(fFolder.Path("Controls.txt"));
    OvDataBase dataBase;
    for (int i = 0; i < 100; ++i) dataBase.SetInt(OvString::Format("Key%d", i), i);

    HalfWritingFile failing;
    EXPECT_OV_ERROR(OvWriteFileReplacing(file, dataBase.ToText(), failing), 68, "System error: 28 disk full");
    EXPECT_EQ(fFolder.ReadFile("Controls.txt"), "Brightness = 120\r\n");
    EXPECT_FALSE(failing.IsOpen());
    EXPECT_FALSE(fFolder.Exists("Controls.txt.tmp"));

    OvFile plain;  // the same call with a working file replaces the target
    OvWriteFileReplacing(file, dataBase.ToText(), plain);
    EXPECT_EQ(fFolder.ReadFile("Controls.txt"), OvBytes(dataBase.ToText()));
}

}  // namespace
