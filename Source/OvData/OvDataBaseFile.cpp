// Loading and saving a database as a file, traced on the "DataBase" channel.
#include "OvData/OvDataBase.h"
#include "OvData/OvFileReplace.h"
#include "OvTools/OvDebug.h"
#include "Ovio/OvFile.h"

namespace {

enum class Direction { kRead, kWrite };

void TraceFile(Direction direction, const OvString& text, const OvFileSpec& file)
{
    if (!IsChannelEnabled(kOvChannelDataBase)) return;
    const unsigned long checksum = OvDataBaseChecksum(text);
    const OvString name = file.FileName();
    if (direction == Direction::kRead) {
        DebugPrintf(kOvChannelDataBase, "READ: %08lx %s\n", checksum, name.Chars());
    } else {
        DebugPrintf(kOvChannelDataBase, "WRITE:  %08lx %s\n", checksum, name.Chars());
    }
}

}  // namespace

void OvDataBase::LoadFromFile(const OvFileSpec& file)
{
    OvFile input(file);
    input.Open(kOvFileRead, false, true);
    const OvString text = input.ReadAll(0);
    input.Close();
    LoadFromText(text);
    TraceFile(Direction::kRead, text, file);
}

void OvDataBase::SaveToFile(const OvFileSpec& file) const
{
    const OvString text = ToText();
    OvFile output;
    OvWriteFileReplacing(file, text, output);
    TraceFile(Direction::kWrite, text, file);
}
