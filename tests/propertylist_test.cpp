#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/propertylist.h"
#include "resources/invisiblewndlayout.h"
#include "resources/layoutlists.h"

namespace {

// Accepts every name of the vocabulary but one it is told to refuse, and records what it is
// given, in order.
class RecordingObject : public Object {
public:
    explicit RecordingObject(std::string_view refused = {}) : refused_(refused) {}
    bool AcceptsProperty(std::string_view name) const override { return name != refused_; }
    std::vector<std::pair<std::string, PropertyValue>> applied;

protected:
    void ApplyProperty(std::string_view name, const PropertyValue& value) override
    {
        applied.emplace_back(std::string(name), value);
    }

private:
    std::string_view refused_;
};

std::vector<uint8_t> Bytes(std::initializer_list<int> values) { return {values.begin(), values.end()}; }

template <size_t N>
std::vector<uint8_t> Slice(const std::array<uint8_t, N>& list, size_t from, size_t count)
{
    return {list.begin() + from, list.begin() + from + count};
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

TEST(PropertyListBytes, WorkedExamplesEncodeExactly)
{
    // "Placement", blank, Int32 0, "Width", blank, Int32 310.
    EXPECT_EQ(Slice(kInvisibleWndList, 0, 24),
              Bytes({0x50, 0x6C, 0x61, 0x63, 0x65, 0x6D, 0x65, 0x6E, 0x74, 0x20, 0, 0, 0, 0, 0x57, 0x69, 0x64,
                     0x74, 0x68, 0x20, 0x00, 0x00, 0x01, 0x36}));
    const std::string whole(kInvisibleWndList.begin(), kInvisibleWndList.end());
    const size_t title = whole.find("Title ");
    ASSERT_NE(title, std::string::npos);
    EXPECT_EQ(whole.substr(title, 18), std::string("Title \0\0\0\x08Untitled", 18));

    const std::string every(kEveryTypeList.begin(), kEveryTypeList.end());
    EXPECT_EQ(every.substr(0, 13), std::string("Name \0\0\0\x07", 9) + "Feld");
    EXPECT_NE(every.find(std::string("Index \x80\0\0\0", 10)), std::string::npos);
    EXPECT_NE(every.find(std::string("Left \0\0\0K", 9)), std::string::npos); // 75 reads as "K"
    EXPECT_NE(every.find("Top \xFF\xFF\xFF\xFF"), std::string::npos);
    EXPECT_NE(every.find("TextColor \x18u4"), std::string::npos);
    EXPECT_NE(every.find(std::string("HelpTag \0\0\0\0Text ", 17)), std::string::npos);
}

TEST(PropertyListBytes, EveryTypeRoundTrips)
{
    RecordingObject object;
    SetProperties(object, kEveryTypeList);
    ASSERT_EQ(object.applied.size(), kEveryType.size());
    EXPECT_EQ(object.StringProperty("Name"), "Feld \xC2\xA9");
    EXPECT_EQ(object.IntProperty("Index"), INT32_MIN);
    EXPECT_EQ(object.IntProperty("Left"), 75);
    EXPECT_EQ(object.IntProperty("Top"), -1);
    EXPECT_TRUE(object.BoolProperty("LockLeft"));
    EXPECT_FALSE(object.BoolProperty("LockTop"));
    EXPECT_EQ(object.ColorProperty("TextColor"), (Color{0x18, 0x75, 0x34}));
    EXPECT_EQ(object.StringProperty("HelpTag"), "");
    EXPECT_EQ(object.StringProperty("Text"), "line 1\rline 2");
    EXPECT_EQ(object.applied.front().first, "Name"); // in the stored order
    EXPECT_EQ(object.applied.back().first, "Text");
}

TEST(PropertyListBytes, EveryProgramListEndsWithItsLastEntry)
{
    for (const NamedLayoutList& named : AllLayoutLists()) {
        RecordingObject object;
        SetProperties(object, named.list);
        ASSERT_FALSE(object.applied.empty()) << named.object;
        const std::string& last = object.applied.back().first;
        const size_t count = object.applied.size();
        // Windows have 21 entries; labels 29, canvases 23, text areas 41, push buttons 26.
        if (last == "MacProcID")
            EXPECT_EQ(count, 21u) << named.object;
        else
            EXPECT_TRUE(last == "InitialParent" && (count == 23 || count == 26 || count == 29 || count == 41))
                << named.object << " ends with " << last << " after " << count << " entries";
    }
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

TEST(PropertyListRefusal, BadNamesAndBooleansAreRefusedWholeWithTheirOffset)
{
    struct Case {
        std::string bytes;
        std::string offset;
    };
    const std::vector<Case> cases = {
        {std::string("Left \0\0\0\x01" "Colour \x01\x02\x03", 19), "offset 9"},       // not in the vocabulary
        {std::string("Left \0\0\0\x01" "Caption \0\0\0\0", 21), "offset 9"},         // not for this object
        {std::string("Left \0\0\0\x01Visible \x02", 18), "offset 17"},            // Boolean byte 2
        {std::string("Le ft \0\0\0\x01", 10), "offset 0"},                        // blank inside a name
        {std::string("Left\0\0\0\x01", 8), "offset 4"},                           // no blank at all
        {std::string("Text \0\0\0\x09short", 14), "offset 0"},                   // count beyond the end
        {std::string(" \0\0\0\x01", 5), "offset 0"},                              // empty name
        {std::string(40, 'A') + " ", "offset 0"},                                // runaway name
    };
    for (const Case& c : cases) {
        RecordingObject object("Caption");
        PropertyList list(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size());
        try {
            SetProperties(object, list);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(c.bytes);
        } catch (const FrameworkError& e) {
            EXPECT_NE(std::string(e.what()).find(c.offset), std::string::npos) << e.what();
        }
        EXPECT_TRUE(object.applied.empty());
    }
}

TEST(PropertyListVocabulary, NamesHaveOneTypeEach)
{
    EXPECT_EQ(PropertyTypeOf("Visible"), PropertyType::Boolean);
    EXPECT_EQ(PropertyTypeOf("BackColor"), PropertyType::Color);
    EXPECT_EQ(PropertyTypeOf("Width"), PropertyType::Int32);
    EXPECT_EQ(PropertyTypeOf("Title"), PropertyType::String);
    // The lists spell these with their own capitals; the framework's own spellings are not names.
    EXPECT_TRUE(PropertyTypeOf("Multiline"));
    EXPECT_TRUE(PropertyTypeOf("ScrollbarVertical"));
    EXPECT_TRUE(PropertyTypeOf("MacProcID"));
    EXPECT_FALSE(PropertyTypeOf("MultiLine"));
    EXPECT_FALSE(PropertyTypeOf("MacProcId"));
}
