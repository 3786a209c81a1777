#pragma once
// An ordered, nestable list of key/value pairs, read from and written to a plain text file.
//
// Every value is text; the typed operations convert on the way in and out. Entries are
// addressed by paths of '/'-separated keys: one leading '/' is ignored, a trailing '/' adds
// nothing, keys compare byte for byte and the first matching pair wins. Lookups of missing
// paths never raise.
//
// The text format, one pair per line, a child database in braces after its pair, its
// lines indented by one more tab:
//   Brightness = 120
//   "Display name" = "ZEZ 27\" wide"
//   Section =
//   {
//   <tab>Key = value to the end of the line
//   }
// Keys and values holding a blank, tab, CR, LF or '"' are written quoted (backslash before
// '"' and '\'); an unquoted value runs to the end of its line, trailing blanks included.
// '#' starts a comment to the end of the line; "#{" hides every line up to one that starts
// with "#}". A "_DBInfo" pair's child is kept apart as the info block and written first.
#include <cstdint>

#include "OvCore/OvObject.h"
#include "OvCore/OvString.h"
#include "OvCore/OvTemplates.h"
#include "OvData/OvArray.h"

class OvDataBase;
class OvFileSpec;

// One pair. Copies share the texts' buffers and the child.
class OvDBData {
public:
    OvDBData();
    OvDBData(const OvString& key, const OvString& value);
    OvDBData(const OvDBData& other);
    OvDBData(OvDBData&& other) noexcept;
    OvDBData& operator=(const OvDBData& other);
    OvDBData& operator=(OvDBData&& other) noexcept;
    virtual ~OvDBData();

    // The pair's line without line end: key " = " value, each quoted when it needs it
    // (or always, with alwaysQuote).
    virtual OvString Format(bool alwaysQuote) const;
    // Reads one pair from text at position and moves position past it. A missing "="
    // raises code 19 with the message Missing "=" after "<key>".
    virtual void Parse(const OvString& text, int32_t& position);

    OvString key;
    OvString value;
    OvRef<OvDataBase> child;  // may be empty
};

class OvDataBase : public OvObject {
public:
    OvDataBase();
    ~OvDataBase();
    OV_DESTROY_SLOT(OvDataBase)
    OV_DECLARE_CAST()

    bool Exists(const OvString& path) const;
    OvString GetValue(const OvString& path, const OvString& defaultValue) const;
    // strtol semantics (base 10), clamped to 32 bits; the default when the pair is missing.
    int32_t GetInt(const OvString& path, int32_t defaultValue) const;
    // True for "true" in any ASCII case or exactly "1". A missing pair gives the default,
    // which create also stores.
    bool GetBool(const OvString& path, bool defaultValue, bool create);

    // The setters create missing pairs on the way.
    void SetValue(const OvString& path, const OvString& value);
    void SetInt(const OvString& path, int32_t value);   // "%d"
    void SetBool(const OvString& path, bool value);     // "true" / "false"
    // Writes nothing when the stored value already reads as the same number. Without a
    // format the number is written with "%f" and its trailing fraction zeros removed
    // (120.0 -> "120", 0.25 -> "0.25"); output of a given format is kept as it is.
    void SetReal(const OvString& path, double value, const char* format = nullptr);

    // The pair's child database; with create, missing pairs and a missing child are made.
    OvRef<OvDataBase> GetChild(const OvString& path, bool create);

    // Replaces all pairs with those read from text. Malformed text raises code 19 (or
    // "OvIndexError" for a '{' before any pair); the pairs read before the fault stay.
    // Nesting deeper than 1000 levels raises "OvFormatErr" (no real file comes near it;
    // the limit guards the stack against hostile text).
    void LoadFromText(const OvString& text);
    OvString ToText() const;
    // Both log "READ: %08lx %s" / "WRITE:  %08lx %s" with the text's checksum and the
    // file name on the "DataBase" channel when it is enabled.
    void LoadFromFile(const OvFileSpec& file);
    // Writes a temporary file next to the target and then replaces the target with it, so
    // an interrupted save never leaves a truncated file.
    void SaveToFile(const OvFileSpec& file) const;

    // The pairs in file order.
    int32_t Count() const { return fEntries.Count(); }
    int32_t Capacity() const { return fEntries.Capacity(); }
    const OvDBData& Entry(int32_t index) const { return fEntries[index]; }  // raises "OvIndexError"
    void RemoveAll() { fEntries.RemoveAll(); }
    // Appends a pair as it is (also when a pair of the same key exists).
    OvDBData& Append(const OvDBData& pair) { return fEntries.Append(pair); }

    const OvRef<OvDataBase>& Info() const { return fInfo; }  // the "_DBInfo" block, may be empty
    const OvString& Newline() const { return fNewline; }     // empty until a text is loaded

private:
    friend class OvDataBaseReader;
    friend class OvDataBaseWriter;

    const OvDBData* FindPair(const OvString& path) const;
    OvDBData& FindOrCreatePair(const OvString& path);

    OvArray<OvDBData> fEntries;
    OvString fNewline;
    OvRef<OvDataBase> fInfo;
};

// Checksum of a text as the "DataBase" channel logs it: c = c * 37 + byte over the bytes
// (unsigned 32-bit), then AND 0x7fffffff.
uint32_t OvDataBaseChecksum(const OvString& text);
