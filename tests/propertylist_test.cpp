#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/propertylist.h"
#include "resources/aboutwndlayout.h"
#include "resources/controlwndlayout.h"
#include "resources/descriptionwndlayout.h"
#include "resources/invisiblewndlayout.h"
#include "resources/layoutlists.h"

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

TEST(PropertyListBytes, EveryProgramListReadsWholeAndEndsWithItsLastEntry)
{
    // Entries: 21 for a window; 12 shared by every control, then 11 more for a canvas, 14 for a
    // push button, 17 for a label and 29 for a text area.
    const std::map<std::string_view, size_t> entries = {
        {"InvisibleWnd", 21},           {"AboutWnd", 21},                {"ControlWnd", 21},
        {"DescriptionWnd", 21},         {"AboutWnd.StaticText5", 29},    {"AboutWnd.Canvas2", 23},
        {"AboutWnd.Canvas1", 23},       {"ControlWnd.QCanvas", 23},      {"ControlWnd.Nvariables", 41},
        {"ControlWnd.ErrorFld", 41},    {"ControlWnd.InputFld1", 41},    {"ControlWnd.ClearBtn", 26},
        {"ControlWnd.CalculateBtn", 26}, {"ControlWnd.StaticText1", 29}, {"ControlWnd.StaticText3", 29},
        {"ControlWnd.TitlePict", 23},   {"ControlWnd.StaticText2", 29},  {"ControlWnd.copytext", 29},
        {"DescriptionWnd.DescribeFld", 41}, {"DescriptionWnd.DescribeFld2", 41},
    };
    const std::vector<NamedLayoutList> all = AllLayoutLists();
    ASSERT_EQ(all.size(), entries.size());
    for (const NamedLayoutList& named : all) {
        SCOPED_TRACE(named.object);
        RecordingObject object;
        SetProperties(object, named.list); // a list read out of step is refused
        ASSERT_EQ(entries.count(named.object), 1u);
        EXPECT_EQ(object.applied.size(), entries.at(named.object));
        const bool window = named.object.find('.') == std::string_view::npos;
        EXPECT_EQ(object.applied.back().first, window ? "MacProcID" : "InitialParent");
        EXPECT_EQ(object.applied.back().second, window ? PropertyValue(0) : PropertyValue(std::string()));
    }
    // The window lists as stored, and the help text's list, which carries it whole.
    EXPECT_EQ(kInvisibleWndList.size(), 275u);
    EXPECT_EQ(kAboutWndList.size(), 267u);
    EXPECT_EQ(kControlWndList.size(), 274u);
    EXPECT_EQ(kDescriptionWndList.size(), 278u);
    EXPECT_EQ(kHelpText.size(), 3167u);
    EXPECT_EQ(kDescribeFld2List.size(), 516u + 3167u);
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
    const std::pair<std::string, std::string> cases[] = {
        {std::string("Left \0\0\0\x01" "Colour \x01\x02\x03", 19), "offset 9"},       // not in the vocabulary
        {std::string("Left \0\0\0\x01" "Caption \0\0\0\0", 21), "offset 9"},         // not for this object
        {std::string("Left \0\0\0\x01Visible \x02", 18), "offset 17"},            // Boolean byte 2
        {std::string("Le ft \0\0\0\x01", 10), "offset 0"},                        // blank inside a name
        {std::string("Left\0\0\0\x01", 8), "offset 4"},                           // no blank at all
        {std::string("Text \0\0\0\x09short", 14), "offset 0"},                   // count beyond the end
        {std::string(" \0\0\0\x01", 5), "offset 0"},                              // empty name
        {std::string(40, 'A') + " ", "offset 0"},                                // runaway name
    };
    for (const auto& [bytes, offset] : cases) {
        RecordingObject object("Caption");
        try {
            SetProperties(object, PropertyList(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
            ADD_FAILURE() << "accepted: " << testing::PrintToString(bytes);
        } catch (const FrameworkError& e) {
            EXPECT_NE(std::string(e.what()).find(offset), std::string::npos) << e.what();
        }
        EXPECT_TRUE(object.applied.empty());
    }
}

TEST(PropertyListVocabulary, NamesHaveOneTypeEach)
{
    // The lists spell names with their own capitals; the framework's own spellings are not names.
    const std::pair<const char*, std::optional<PropertyType>> rows[] = {
        {"Visible", PropertyType::Boolean},   {"BackColor", PropertyType::Color},
        {"Width", PropertyType::Int32},       {"Title", PropertyType::String},
        {"Multiline", PropertyType::Boolean}, {"ScrollbarVertical", PropertyType::Boolean},
        {"MacProcID", PropertyType::Int32},   {"MultiLine", std::nullopt}, {"MacProcId", std::nullopt},
    };
    for (const auto& [name, type] : rows)
        EXPECT_EQ(PropertyTypeOf(name), type) << name;
}
