#include "OvDevices/OvEdidText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using Edid = std::array<uint8_t, 256>;

std::string Text(const OvString& text) {
    return text.Chars();
}

void Put(Edid& edid, size_t offset, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), edid.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutText(Edid& edid, size_t offset, std::string_view text) {
    std::copy(text.begin(), text.end(), edid.begin() + static_cast<std::ptrdiff_t>(offset));
}

// An 18-byte display descriptor; texts shorter than 13 bytes end in 0x0A and blanks.
void PutDescriptor(Edid& edid, size_t offset, uint8_t tag, std::string_view text) {
    Put(edid, offset, {0x00, 0x00, 0x00, tag, 0x00});
    std::fill_n(edid.begin() + static_cast<std::ptrdiff_t>(offset + 5), 13, uint8_t{0x20});
    PutText(edid, offset + 5, text);
    if (text.size() < 13) edid[offset + 5 + text.size()] = 0x0A;
}

void PutDummyDescriptor(Edid& edid, size_t offset) {
    std::fill_n(edid.begin() + static_cast<std::ptrdiff_t>(offset), 18, uint8_t{0});
    edid[offset + 3] = 0x10;
}

// A desktop display as such EDIDs come: a detailed timing, range limits, name, serial.
Edid DesktopEdid() {
    Edid edid{};
    Put(edid, 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x38, 0xA3, 0x0F, 0x68,
                  0x78, 0x56, 0x34, 0x12, 0x10, 0x1C, 0x01, 0x04, 0xA5, 0x3C, 0x22, 0x78});
    Put(edid, 24, {0x2A, 0xE6, 0xF5, 0xA3, 0x55, 0x4E, 0x9E, 0x26, 0x0F, 0x50, 0x54, 0xBF,
                   0xEF, 0x80, 0x71, 0x4F, 0x81, 0x80, 0x81, 0x40, 0x81, 0xC0, 0x95, 0x00,
                   0xA9, 0x40, 0xB3, 0x00, 0xD1, 0xC0});
    Put(edid, 54, {0x56, 0x5E, 0x00, 0xA0, 0xA0, 0xA0, 0x29, 0x50, 0x30, 0x20, 0x35, 0x00,
                   0x55, 0x50, 0x21, 0x00, 0x00, 0x1A});
    Put(edid, 72, {0x00, 0x00, 0x00, 0xFD, 0x00, 0x32, 0x4B, 0x1E, 0x5A, 0x19, 0x00, 0x0A,
                   0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
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

TEST(EdidText, IdentityNumbersComeFromTheirBytes) {
    Edid edid = DesktopEdid();
    EXPECT_TRUE(HasEdidHeader(edid.data()));
    EXPECT_EQ(VendorProductID(edid.data()), 0xA338680Fu);
    EXPECT_TRUE(IsDigitalInput(edid.data()));
    edid[20] = 0x80;
    EXPECT_TRUE(IsDigitalInput(edid.data()));
    edid[20] = 0x7F;
    EXPECT_FALSE(IsDigitalInput(edid.data()));
    edid[7] = 0x01;
    EXPECT_FALSE(HasEdidHeader(edid.data()));
    EXPECT_FALSE(HasEdidHeader(PlainField().data()));
}

TEST(EdidText, NameAndSerialComeFromTheirDescriptors) {
    const Edid edid = DesktopEdid();
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

TEST(EdidText, TextEndsAtLineFeedNulOrThirteenCharacters) {
    Edid edid = DesktopEdid();
    PutDescriptor(edid, 90, 0xFC, "ABCDEFGHIJKLM");
    edid[108] = 'Z';
    EXPECT_EQ(Text(ModelNameText(edid.data())), "ABCDEFGHIJKLM");
    PutDescriptor(edid, 90, 0xFC, std::string_view("AB\0CD", 5));
    EXPECT_EQ(Text(ModelNameText(edid.data())), "AB");
    PutDescriptor(edid, 90, 0xFC, "\n");
    EXPECT_EQ(Text(ModelNameText(edid.data())), "");
}

TEST(EdidText, BytesOf128AndAboveBecomeAscii) {
    Edid edid = DesktopEdid();
    PutDescriptor(edid, 90, 0xFC, "Caf\xE9 \x9F\xC4");
    EXPECT_EQ(Text(ModelNameText(edid.data())), "Cafe ?A");
}

TEST(EdidText, SearchRestartsBehindTheByteThatBreaksThePattern) {
    Edid edid = PlainField();
    Put(edid, 20, {0x00, 0x00, 0x00, 0x00, 0xFC, 0x00});
    PutText(edid, 26, "HIDDEN\n");
    PutText(edid, 108, "FALLBACK\n");
    // The attempt at 20 breaks at 23; the next starts at 24 and never sees the one at 21.
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFC, 0), -1);
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFC, 21), 26);
    EXPECT_EQ(Text(ModelNameText(edid.data())), "FALLBACK");

    // Behind a header the search starts at 8, so a pattern there is found even though
    // byte 7 is 0x00; a search from 0 would have broken at byte 10.
    Edid headed = PlainField();
    Put(headed, 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00});
    PutText(headed, 13, "SN8\n");
    EXPECT_EQ(FindDescriptor(headed.data(), 0xFF, 0), -1);
    EXPECT_EQ(Text(SerialNumberText(headed.data())), "SN8");
}

TEST(EdidText, LastAttemptStartsAt238AndTextStopsAtTheFieldEnd) {
    Edid edid = PlainField();
    Put(edid, 238, {0x00, 0x00, 0x00, 0xFF, 0x00});
    PutText(edid, 243, "ABCDEFGHIJKLM");
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "ABCDEFGHIJKLM");

    edid = PlainField();
    Put(edid, 239, {0x00, 0x00, 0x00, 0xFF, 0x00});
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFF, 0), -1);
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "");
    EXPECT_EQ(FindDescriptor(edid.data(), 0xFF, 300), -1);
}

TEST(EdidText, SerialTextFallsBackToTheSerialNumberInDecimal) {
    Edid edid = DesktopEdid();
    PutDummyDescriptor(edid, 108);
    EXPECT_EQ(Text(SerialNumberText(edid.data())), "");
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "305419896");  // 0x12345678
    Put(edid, 12, {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "4294967295");
    PutDescriptor(edid, 108, 0xFF, "\n");
    EXPECT_EQ(Text(SerialTextOfEdid(edid.data())), "4294967295");
}
