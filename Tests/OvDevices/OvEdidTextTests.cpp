#include "OvDevices/OvEdidText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

using Edid = std::array<uint8_t, 256>;

std::string Text(const OvString& text) {
    return text.Chars();
}

void PutText(Edid& edid, size_t offset, std::string_view text) {
    std::copy(text.begin(), text.end(), edid.begin() + static_cast<std::ptrdiff_t>(offset));
}

// Bytes written as hexadecimal digits, two per byte.
void PutHex(Edid& edid, size_t offset, std::string_view hex) {
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        edid[offset + i / 2] = static_cast<uint8_t>(std::stoul(std::string(hex.substr(i, 2)), nullptr, 16));
}

// An 18-byte display descriptor; texts shorter than 13 bytes end in 0x0A and blanks.
void PutDescriptor(Edid& edid, size_t offset, uint8_t tag, std::string_view text) {
    PutHex(edid, offset, "0000000000");
    edid[offset + 3] = tag;
    std::fill_n(edid.begin() + static_cast<std::ptrdiff_t>(offset + 5), 13, uint8_t{0x20});
    PutText(edid, offset + 5, text);
    if (text.size() < 13) edid[offset + 5 + text.size()] = 0x0A;
}

void PutDummyDescriptor(Edid& edid, size_t offset) {
    PutHex(edid, offset, "000000100000000000000000000000000000");
}

// A desktop display as such EDIDs come: a detailed timing, range limits, name, serial.
Edid DesktopEdid() {
    Edid edid{};
    PutHex(edid, 0, "00FFFFFFFFFFFF0038A30F6878563412101C0104A53C2278"
                    "2AE6F5A3554E9E260F5054BFEF80714F8180814081C09500A940B300D1C0");
    PutHex(edid, 54, "565E00A0A0A029503020350055502100001A000000FD00324B1E5A19000A202020202020");
    PutDescriptor(edid, 90, 0xFC, "PA271Q");
    PutDescriptor(edid, 108, 0xFF, "8Y123456AB");
    return edid;
}

// No header, so the search starts at byte 0, and no zero bytes but those a test places.
Edid PlainField() {
    Edid edid;
    edid.fill(0x11);
    return edid;
}

}  // namespace

TEST(EdidText, IdentityComesFromItsBytesAndNameAndSerialFromTheirDescriptors) {
    Edid edid = DesktopEdid();
    EXPECT_TRUE(HasEdidHeader(edid.data()));
    EXPECT_EQ(VendorProductID(edid.data()), 0xA338680Fu);
    for (const auto& [input, digital] : {std::pair<uint8_t, bool>{0xA5, true}, {0x80, true}, {0x7F, false}}) {
        edid[20] = input;
        EXPECT_EQ(IsDigitalInput(edid.data()), digital) << int{input};
    }
    edid[7] = 0x01;
    EXPECT_FALSE(HasEdidHeader(edid.data()));
    EXPECT_FALSE(HasEdidHeader(PlainField().data()));

    edid = DesktopEdid();
    EXPECT_EQ(Text(ModelNameText(edid.data())), "PA271Q");
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "8Y123456AB");
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "8Y123456AB");
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFC, 8), 95);
    EXPECT_EQ(Text(FindDescriptorText(edid.data(), 0xFB)), "");  // no fallback but for names
}

TEST(EdidText, ModelNameFallsBackToTheSecondTextDescriptorThenByte108) {
    Edid panel = DesktopEdid();
    PutDescriptor(panel, 72, 0xFE, "AUO");
    PutDescriptor(panel, 90, 0xFE, "B156HW01 V4");
    EXPECT_EQ(Text(ModelNameText(panel.data())), "B156HW01 V4");

    PutDummyDescriptor(panel, 90);
    PutText(panel, 108, "MODEL AT 108\n");
    EXPECT_EQ(Text(ModelNameText(panel.data())), "MODEL AT 108");

    PutDummyDescriptor(panel, 72);
    EXPECT_EQ(Text(ModelNameText(panel.data())), "MODEL AT 108");
    EXPECT_EQ(Text(SerialNumberText(panel.data())), "");
}

TEST(EdidText, TextEndsAtLineFeedNulOrThirteenCharactersAndBecomesAscii) {
    const std::pair<std::string_view, const char*> cases[] = {
        {"ABCDEFGHIJKLM", "ABCDEFGHIJKLM"},  // byte 108 behind the field is not read
        {std::string_view("AB\0CD", 5), "AB"},
        {"\n", ""},
        {"Caf\xE9 \x9F\xC4", "Cafe ?A"},
    };
    for (const auto& [text, expected] : cases) {
        Edid edid = DesktopEdid();
        PutDescriptor(edid, 90, 0xFC, text);
        edid[108] = 'Z';
        EXPECT_EQ(Text(ModelNameText(edid.data())), expected);
    }
}

TEST(EdidText, SearchRestartsBehindTheByteThatBreaksThePatternAndStopsAt238) {
    Edid edid = PlainField();
    PutHex(edid, 20, "00000000FC00");
    PutText(edid, 26, "HIDDEN\n");
    PutText(edid, 108, "FALLBACK\n");
    // The attempt at 20 breaks at 23; the next starts at 24 and never sees the one at 21.
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFC, 0), -1);
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFC, 21), 26);
    EXPECT_EQ(Text(ModelNameText(edid.data())), "FALLBACK");

    // Behind a header the search starts at 8, so a pattern there is found even though
    // byte 7 is 0x00; a search from 0 would have broken at byte 10.
    Edid headed = PlainField();
    PutHex(headed, 0, "00FFFFFFFFFFFF00000000FF00");
    PutText(headed, 13, "SN8\n");
    EXPECT_EQ(FindDescriptor(headed.data(), 0xFF, 0), -1);
    EXPECT_EQ(Text(SerialNumberText(headed.data())), "SN8");

    // The last attempt starts at 238, and its text stops at the field's end.
    edid = PlainField();
    PutHex(edid, 238, "000000FF00");
    PutText(edid, 243, "ABCDEFGHIJKLM");
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "ABCDEFGHIJKLM");

    edid = PlainField();
    PutHex(edid, 239, "000000FF00");
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFF, 0), -1);
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "");
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFF, 300), -1);
}

TEST(EdidText, SerialTextFallsBackToTheSerialNumberInDecimal) {
    Edid edid = DesktopEdid();
    PutDummyDescriptor(edid, 108);
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "");
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "305419896");  // 0x12345678
    PutHex(edid, 12, "FFFFFFFF");
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "4294967295");
    PutDescriptor(edid, 108, 0xFF, "\n");
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "4294967295");
}
