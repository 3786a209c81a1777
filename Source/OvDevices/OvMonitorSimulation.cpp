#define OV_SOURCE_FILE "Source/OvDevices/OvMonitorSimulation"
#include "OvDevices/OvMonitorSimulation.h"

#include <algorithm>
#include <limits>

#include "OvCore/OvError.h"
#include "OvCore/OvTemplates.h"
#include "OvData/OvDataBase.h"
#include "Ovio/OvFileSpec.h"

namespace OvMonitorSimulation {

namespace {

constexpr int32_t kDefaultRectSpacing = 1280;

OvFileSpec SimulationFile(const char* name)
{
    return OvFileSpec(OvString(name), kOvFolderMaker);
}

// Reads one file into database and says whether it was read whole. A file that cannot
// be opened leaves the database empty; one with a syntax error keeps the pairs read
// before it. The error, logged on the "Error" channel as it was raised, goes no further.
bool LoadQuietly(OvDataBase& database, const char* name)
{
    try {
        database.LoadFromFile(SimulationFile(name));
        return true;
    } catch (const OvError&) {
        return false;
    }
}

// x + width and y + height of a rectangle text, kept within 32 bits.
int32_t ClampedSum(int32_t a, int32_t b)
{
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

OvString DisplayKey(int32_t index) { return OvString::Format("Display%d", static_cast<int>(index)); }

// Both files of one call, and the section path of the display the call is about.
struct SimulatedDisplay {
    OvDataBase description;
    OvDataBase controls;
    OvString section;
};

bool Matches(const OvDataBase& section, const OvMonitorSelector& selector, int32_t displayIndex)
{
    return displayIndex != kBySelector || section.GetInt(selector.key, -1) == selector.value;
}

// Loads the files into display and finds the display's section path, or raises "OvIOErr".
void FindDisplay(SimulatedDisplay& display, const OvMonitorSelector& selector, int32_t displayIndex)
{
    LoadSimulationFiles(display.description, display.controls);
    for (int32_t index = 0; index < kDisplayCount; ++index) {
        if (displayIndex != kBySelector && index != displayIndex) continue;
        const OvString path = display.description.GetValue(DisplayKey(index), OvString());
        const OvRef<OvDataBase> section = display.description.GetChild(path, false);
        if (section && Matches(*section, selector, displayIndex)) {
            display.section = path;
            return;
        }
    }
    OV_RAISE(kOvIOErr, "OvIOErr");
}

}  // namespace

void LoadSimulationFiles(OvDataBase& description, OvDataBase& controls)
{
    description.RemoveAll();
    controls.RemoveAll();
    if (LoadQuietly(description, kDescriptionFileName)) LoadQuietly(controls, kControlsFileName);
}

OvString GetSimulationValue(const OvMonitorSelector& selector, const OvString& key, const OvString& defaultValue,
                            int32_t displayIndex)
{
    SimulatedDisplay display;
    FindDisplay(display, selector, displayIndex);
    const OvRef<OvDataBase> described = display.description.GetChild(display.section, false);
    if (described->Exists(key)) return described->GetValue(key, defaultValue);
    const OvRef<OvDataBase> controlled = display.controls.GetChild(display.section, false);
    return controlled ? controlled->GetValue(key, defaultValue) : defaultValue;
}

void SetSimulationValue(const OvMonitorSelector& selector, const OvString& key, const OvString& value,
                        int32_t displayIndex)
{
    SimulatedDisplay display;
    FindDisplay(display, selector, displayIndex);
    display.controls.GetChild(display.section, true)->SetValue(key, value);
    display.controls.SaveToFile(SimulationFile(kControlsFileName));
}

int32_t GetSimulatedMonitorCount()
{
    OvDataBase description;
    OvDataBase controls;
    LoadSimulationFiles(description, controls);
    int32_t count = 0;
    while (count < kDisplayCount && description.Exists(description.GetValue(DisplayKey(count), OvString()))) ++count;
    return count;
}

OvMonitorRect GetSimulatedMonitorRect(int32_t index)
{
    OvDataBase description;
    OvDataBase controls;
    LoadSimulationFiles(description, controls);
    const OvString defaultRect = OvString::Format("%lld 0 960 1024", static_cast<long long>(index) * kDefaultRectSpacing);
    const OvString rectKey = description.GetValue(OvString::Format("Rect%d", static_cast<int>(index)), OvString());
    const OvString text = description.GetValue(rectKey, defaultRect);

    int32_t position = 0;
    int32_t numbers[4] = {};
    for (int32_t& number : numbers) number = text.NextToken(position, false, " \t").ToInt();
    return {numbers[0], numbers[1], ClampedSum(numbers[0], numbers[2]), ClampedSum(numbers[1], numbers[3])};
}

}  // namespace OvMonitorSimulation
