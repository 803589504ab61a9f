#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/propertylist.h"

namespace {

// Takes every name of the vocabulary but one it is told to refuse, and records what it is
// given, in order.
class RecordingObject : public Object {
public:
    explicit RecordingObject(std::string_view refused = {});
    const PropertyTable& Properties() const override { return table_; }
    std::vector<std::pair<std::string, PropertyValue>> applied;

private:
    std::vector<PropertyRow> rows_;
    PropertyTable table_;
};

template <size_t I>
void Record(Object& object, const PropertyValue& value)
{
    static_cast<RecordingObject&>(object).applied.emplace_back(kPropertyVocabulary[I].name, value);
}

template <size_t... I>
constexpr std::array<PropertyRow, sizeof...(I)> RecordingRows(std::index_sequence<I...>)
{
    return {PropertyRow{kPropertyVocabulary[I].name, kPropertyVocabulary[I].type, &Record<I>}...};
}

RecordingObject::RecordingObject(std::string_view refused)
{
    for (const PropertyRow& row : RecordingRows(std::make_index_sequence<std::size(kPropertyVocabulary)>()))
        if (row.name != refused)
            rows_.push_back(row);
    table_.rows = rows_;
}

constexpr std::array kEveryType{
    entry::String("Name", "Feld \xC2\xA9"), // a UTF-8 text: 6 characters, 7 bytes
    entry::Int32("Index", INT32_MIN),
    entry::Int32("Left", 75),
    entry::Int32("Top", -1),
    entry::Boolean("LockLeft", true),
    entry::Boolean("LockTop", false),
    entry::Colour("TextColor", 0x187534),
    entry::String("HelpTag", ""),
    entry::String("Text", "line 1\rline 2"),
};
constexpr auto kEveryTypeList = EncodePropertyList<EncodedSize(kEveryType)>(kEveryType);

} // namespace

TEST(PropertyListBytes, EachTypeEncodesExactly)
{
    const std::string every(kEveryTypeList.begin(), kEveryTypeList.end());
    EXPECT_EQ(every.substr(0, 13), std::string("Name \0\0\0\x07", 9) + "Feld"); // the count is of bytes
    EXPECT_NE(every.find(std::string("Index \x80\0\0\0", 10)), std::string::npos);
    EXPECT_NE(every.find(std::string("Left \0\0\0K", 9)), std::string::npos); // 75 reads as "K"
    EXPECT_NE(every.find("Top \xFF\xFF\xFF\xFF"), std::string::npos);
    EXPECT_NE(every.find("TextColor \x18u4"), std::string::npos);
    EXPECT_NE(every.find(std::string("HelpTag \0\0\0\0Text ", 17)), std::string::npos);
}

TEST(PropertyListBytes, EveryTypeRoundTripsInTheStoredOrder)
{
    RecordingObject object;
    SetProperties(object, kEveryTypeList);
    const std::vector<std::pair<std::string, PropertyValue>> expected = {
        {"Name", std::string("Feld \xC2\xA9")}, {"Index", INT32_MIN},        {"Left", 75},
        {"Top", -1},                             {"LockLeft", true},          {"LockTop", false},
        {"TextColor", Color{0x18, 0x75, 0x34}},  {"HelpTag", std::string()}, {"Text", std::string("line 1\rline 2")},
    };
    EXPECT_EQ(object.applied, expected);
}

TEST(PropertyListRefusal, EveryTruncationIsRefusedOrEndsOnAnEntry)
{
    std::vector<size_t> boundaries{0};
    for (const PropertyEntry& e : kEveryType)
        boundaries.push_back(boundaries.back() + e.EncodedSize());
    for (size_t length = 1; length < kEveryTypeList.size(); ++length) {
        RecordingObject object;
        PropertyList prefix(kEveryTypeList.data(), length);
        const bool onBoundary = std::find(boundaries.begin(), boundaries.end(), length) != boundaries.end();
        if (onBoundary) {
            EXPECT_NO_THROW(SetProperties(object, prefix)) << length;
        } else {
            EXPECT_THROW(SetProperties(object, prefix), FrameworkError) << length;
            EXPECT_TRUE(object.applied.empty()) << "half applied at length " << length;
        }
    }
}

TEST(PropertyListRefusal, BadNamesAndBooleansAreRefusedWithTheirOffset)
{
    const std::pair<std::string, std::string> cases[] = {
        {std::string("Left \0\0\0\x01" "Colour \x01\x02\x03", 19), "offset 9"},       // not in the vocabulary
        {std::string("Left \0\0\0\x01" "Caption \0\0\0\0", 21), "offset 9"},         // not for this object
        {std::string("Left \0\0\0\x01Visible \x02", 18), "offset 17"},            // Boolean byte 2
        {std::string("Left\0\0\0\x01", 8), "offset 4"},                           // no blank at all
        {std::string(" \0\0\0\x01", 5), "offset 0"},                              // empty name
        {std::string(40, 'A') + " ", "offset 0"},                                // runaway name
        {std::string("Left \0\0\0\x01" "MultiLine \x01", 20), "offset 9"},        // the list spells it Multiline
    };
    for (const auto& [bytes, offset] : cases) {
        RecordingObject object("Caption");
        try {
            SetProperties(object, PropertyList(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
            ADD_FAILURE() << "accepted: " << testing::PrintToString(bytes);
        } catch (const FrameworkError& e) {
            EXPECT_NE(std::string(e.what()).find(offset), std::string::npos) << e.what();
        }
    }
}
