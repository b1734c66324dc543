// The dump's JSON text: hostile names become valid JSON that reads back to
// the same bytes, and the layout readers of the dump see stays as it is.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli/json_writer.h"

namespace kestrin::cli {
namespace {

std::string TextAsJson(const std::string& latin1) {
    JsonWriter json;
    json.Text(latin1);
    return json.Output();
}

// Each byte of an 8-bit text is the Latin-1 character of that code.
std::string Latin1FromUtf8(const std::string& utf8) {
    std::string latin1;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80 && i + 1 < utf8.size()) c = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        latin1 += static_cast<char>(c);
    }
    return latin1;
}

TEST(JsonWriter, HostileTextsAreEscapedOrWrittenAsUtf8) {
    const struct {
        std::string latin1;
        std::string json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\games", "\"C:\\\\games\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {std::string("a\0b", 3), "\"a\\u0000b\""},
        {"\x01\x1f", "\"\\u0001\\u001f\""},
        {"\x7f", "\"\x7f\""},  // DEL needs no escape in JSON
        {"caf\xE9", "\"caf\xC3\xA9\""},
        {"\x80\xA0\xFF", "\"\xC2\x80\xC2\xA0\xC3\xBF\""},
        {"\xC3\xA9", "\"\xC3\x83\xC2\xA9\""},  // bytes that look like UTF-8 are still Latin-1
        {"</script>", "\"</script>\""},
    };
    for (const auto& c : cases) EXPECT_EQ(TextAsJson(c.latin1), c.json) << c.json;
}

TEST(JsonWriter, EveryByteReadsBackThroughAJsonParser) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    JsonWriter json;
    json.BeginObject();
    json.Key(everyByte).Text(everyByte);
    json.EndObject();
    nlohmann::json parsed = nlohmann::json::parse(json.Output());  // throws on invalid JSON or UTF-8
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(Latin1FromUtf8(parsed.begin().key()), everyByte);
    EXPECT_EQ(Latin1FromUtf8(parsed.begin().value().get<std::string>()), everyByte);
}

TEST(JsonWriter, LayoutAndNumbersStayAsReadersKnowThem) {
    JsonWriter json;
    json.BeginObject();
    json.Key("name").Text("room0");
    json.Key("point").BeginArray(true);
    json.Real(100);
    json.Real(2.5);
    json.Real(0.1);
    json.Real(1e300 * 1e300);  // not finite
    json.Integer(-9007199254740993);
    json.EndArray();
    json.Key("flags").BeginObject(true);
    json.Key("on").Bool(true);
    json.Key("list").BeginArray();
    json.Integer(1);
    json.EndArray();
    json.EndObject();
    json.Key("empty").BeginArray();
    json.EndArray();
    json.Key("nested").BeginObject();
    json.Key("none").Null();
    json.Key("off").Bool(false);
    json.EndObject();
    json.EndObject();
    EXPECT_EQ(json.Output(),
              "{\n"
              "  \"name\": \"room0\",\n"
              "  \"point\": [100, 2.5, 0.1, null, -9007199254740993],\n"
              "  \"flags\": {\"on\": true, \"list\": [1]},\n"
              "  \"empty\": [],\n"
              "  \"nested\": {\n"
              "    \"none\": null,\n"
              "    \"off\": false\n"
              "  }\n"
              "}\n");
}

}  // namespace
}  // namespace kestrin::cli
