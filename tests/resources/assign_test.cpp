// Assign across the records: a record given itself keeps what it holds.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "resources/background.h"
#include "resources/data_file.h"
#include "resources/object.h"
#include "resources/room.h"
#include "resources/script.h"
#include "resources/sound.h"
#include "resources/sprite.h"
#include "resources/time_line.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

template <class R>
std::string Stored(R& record) {
    CStream stream;
    record.SaveToStream(stream);
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

// The stored bytes of a filled record before and after it is assigned itself.
template <class R>
std::pair<std::string, std::string> SelfAssigned(const std::function<void(R&)>& fill) {
    R record;
    fill(record);
    std::string before = Stored(record);
    record.Assign(&record);
    return {before, Stored(record)};
}

TEST(AssignTest, ARecordAssignedItselfKeepsItsContent) {
    const Bitmap24 picture(3, 2, kWhite);
    const std::vector<std::pair<const char*, std::function<std::pair<std::string, std::string>()>>> cases = {
        {"background", [&] { return SelfAssigned<CBackground>([&](CBackground& b) { b.SetImage(&picture); }); }},
        {"data file", [] { return SelfAssigned<CDataFile>([](CDataFile& d) { d.FileName = "notes.txt"; }); }},
        {"object", [] { return SelfAssigned<CObject>([](CObject& o) { o.Sprite = 3; }); }},
        {"room", [] { return SelfAssigned<CRoom>([](CRoom& r) { r.CreationCode = "x = 1;"; }); }},
        {"script", [] { return SelfAssigned<CScript>([](CScript& s) { s.Code = "return 2;"; }); }},
        {"sound", [] { return SelfAssigned<CSound>([](CSound& s) { s.FileType = ".wav"; }); }},
        {"sprite", [&] { return SelfAssigned<CSprite>([&](CSprite& s) { s.AddImage(&picture); }); }},
        {"time line", [] { return SelfAssigned<CTimeLine>([](CTimeLine& t) { t.AddMoment(5); }); }},
    };
    for (const auto& [name, run] : cases) {
        auto [before, after] = run();
        EXPECT_EQ(after, before) << name;
    }
}

}  // namespace
}  // namespace kestrin
