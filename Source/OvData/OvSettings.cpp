#define OV_SOURCE_FILE "Source/OvData/OvSettings"
#include "OvData/OvSettings.h"

#include <string>

#include "OvCore/OvError.h"
#include "OvCore/OvTemplates.h"
#include "OvSystem/OvPlatform.h"
#include "Ovio/OvFileSpec.h"

namespace {

constexpr const char* kSettingsFileName = "Settings.txt";

// Ovelin/Settings.txt below the application data; empty when there is no such folder.
// Built without the maker's folder number, which would create the folder just to look.
OvString SettingsFilePath()
{
    const OvString appData = OvFileSpec::FolderPath(kOvFolderAppData);
    if (appData.IsEmpty()) return {};
    return appData + kOvMakerFolderName + "/" + kSettingsFileName;
}

void ReadSettingsFile(OvDataBase& settings)
{
    const OvString path = SettingsFilePath();
    if (path.IsEmpty()) return;
    if (OvPlatform::ExaminePath(path.Chars(), nullptr) != OvPlatform::PathKind::kOther) return;
    try {
        settings.LoadFromFile(OvFileSpec(path));
    } catch (const OvError&) {
        // Already logged on the "Error" channel; the pairs read before the fault stay.
    }
}

void ApplyEnvironment(OvDataBase& settings)
{
    const OvString value(OvPlatform::GetEnvironment(kOvMonitorSimulationVariable).c_str());
    if (value.CompareNoCase("true") == 0 || value == "1") {
        settings.SetBool(kOvSettingMonitorSimulation, true);
    } else if (value.CompareNoCase("false") == 0 || value == "0") {
        settings.SetBool(kOvSettingMonitorSimulation, false);
    }
}

}  // namespace

void OvReadSettings(OvDataBase& settings)
{
    ReadSettingsFile(settings);
    ApplyEnvironment(settings);
}

OvDataBase& OvSettings()
{
    static const OvRef<OvDataBase> settings = [] {
        OvRef<OvDataBase> created = OvMakeRef<OvDataBase>();
        OvReadSettings(*created);
        return created;
    }();
    return *settings;
}
