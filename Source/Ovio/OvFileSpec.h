#pragma once
// The name of a file: a '/'-separated UTF-8 path, usually built relative to one of the
// numbered well-known folders, with the file type and creator codes of its extension.
#include <cstdint>

#include "OvCore/OvString.h"

// The well-known folders a file specification can be built in.
enum OvFolder : int32_t {
    kOvFolderNone = 0,           // also 7: the name is used unchanged
    kOvFolderColorProfiles = 1,  // also 2, 3
    kOvFolderAppData = 4,        // also 8, 10, 18
    kOvFolderDocuments = 5,
    kOvFolderTemp = 6,
    kOvFolderCommonDocuments = 9,
    kOvFolderResources = 12,     // the host executable's folder + "/Resources"
    kOvFolderExecutable = 13,    // also 14, 15
    kOvFolderProgramFiles = 16,
    kOvFolderMaker = 17,         // application data + "/Ovelin", created when missing
    kOvFolderWindows = 19,       // also 21
    kOvFolderSystem = 20,
    kOvFolderLast = 21,
};

// The maker's folder below the application data (folder 17).
inline constexpr const char* kOvMakerFolderName = "Ovelin";

class OvFileSpec {
public:
    OvFileSpec() = default;
    // The folder's directory followed by name; folders 11 and above 21 raise "OvArgErr".
    explicit OvFileSpec(const OvString& name, int32_t folder = kOvFolderNone);
    OvFileSpec(const OvFileSpec&) = default;
    OvFileSpec& operator=(const OvFileSpec&) = default;
    virtual ~OvFileSpec() = default;

    const OvString& Path() const { return fPath; }
    void SetPath(const OvString& path);  // also sets type and creator from the extension
    uint32_t FileType() const { return fFileType; }
    uint32_t Creator() const { return fCreator; }

    OvString Directory() const;  // up to and including the last '/', or empty
    OvString FileName() const;   // after the last '/'
    void SetFileName(const OvString& name);
    OvString NativePath() const;  // as the operating system writes it ('\' on Windows)

    // True for "/x", "\x", ":x", "C:/x" and "C:\x".
    static bool IsAbsolute(const char* path);
    // The folder's directory with '/' separators and a trailing '/' (empty for folder 0).
    static OvString FolderPath(int32_t folder);

private:
    OvString fPath;
    uint32_t fFileType = 0;
    uint32_t fCreator = 0;
};
