// DumpGame: every list slot, record field, picture digest and tree node, in
// the shapes a comparison needs: arrays of slots (null for an empty one),
// IMAGE {width, height, sha256}, BLOB {size, sha256}.

#include "cli/game_dump.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "cli/json_writer.h"
#include "cli/sha256.h"
#include "resources/rtf_writer.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "stream/stream.h"

namespace kestrin::cli {

namespace {

void WriteImage(JsonWriter& json, const Bitmap24* image) {
    if (!image) {
        json.Null();
        return;
    }
    json.BeginObject(true);
    json.Key("width").Integer(image->Width());
    json.Key("height").Integer(image->Height());
    // Rows top to bottom, blue, green, red: the image's own layout.
    json.Key("sha256").Text(Sha256Hex(image->Bits(), image->RowBytes() * static_cast<std::size_t>(image->Height())));
    json.EndObject();
}

void WriteBlob(JsonWriter& json, const std::string* bytes) {
    if (!bytes) {
        json.Null();
        return;
    }
    json.BeginObject(true);
    json.Key("size").Integer(static_cast<std::int64_t>(bytes->size()));
    json.Key("sha256").Text(Sha256Hex(bytes->data(), bytes->size()));
    json.EndObject();
}

// One array of slots; `fields` writes a resource's fields after its name.
template <class R, class Fields>
void WriteList(JsonWriter& json, const char* key, CResourceList<R>& list, Fields fields) {
    json.Key(key).BeginArray();
    for (int i = 0; i < list.ResourceCount(); ++i) {
        R* resource = list.ResourceAt(i);
        if (!resource) {
            json.Null();
            continue;
        }
        json.BeginObject();
        json.Key("name").Text(list.ResourceName(i));
        fields(*resource);
        json.EndObject();
    }
    json.EndArray();
}

void WriteAction(JsonWriter& json, const CAction& action) {
    json.BeginObject();
    json.Key("LibraryId").Integer(action.LibraryId);
    json.Key("ActionId").Integer(action.ActionId);
    json.Key("Kind").Integer(action.Kind);
    json.Key("CanBeRelative").Bool(action.CanBeRelative);
    json.Key("IsQuestion").Bool(action.IsQuestion);
    json.Key("CanApplyTo").Bool(action.CanApplyTo);
    json.Key("ExecKind").Integer(action.ExecKind);
    json.Key("ExecText1").Text(action.ExecText1);
    json.Key("ExecText2").Text(action.ExecText2);
    json.Key("ArgCount").Integer(action.ArgCount);
    json.Key("ArgKind").BeginArray(true);
    for (std::int32_t kind : action.ArgKind) json.Integer(kind);
    json.EndArray();
    json.Key("AppliesTo").Integer(action.AppliesTo);
    json.Key("Relative").Bool(action.Relative);
    json.Key("ArgValue").BeginArray(true);
    for (const std::string& value : action.ArgValue) json.Text(value);
    json.EndArray();
    json.Key("Not").Bool(action.Not);
    json.EndObject();
}

void WriteActions(JsonWriter& json, const CEvent& event) {
    json.Key("actions").BeginArray();
    for (int i = 0; i < event.ActionCount(); ++i) WriteAction(json, *event.GetAction(i));
    json.EndArray();
}

void WriteObjectEvents(JsonWriter& json, const CObject& object) {
    json.Key("events").BeginArray();
    for (int type = 0; type < kEventTypeCount; ++type) {
        json.BeginArray();
        for (int number : object.EventNumbers(type)) {
            json.BeginObject();
            json.Key("number").Integer(number);
            WriteActions(json, *object.FindEvent(type, number));
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndArray();
}

void WriteOptions(JsonWriter& json, const CGameOptions& o) {
    auto image = [&](const char* key, const std::optional<Bitmap24>& picture) {
        json.Key(key);
        WriteImage(json, picture ? &*picture : nullptr);
    };
    json.Key("options").BeginObject();
    json.Key("Fullscreen").Bool(o.Fullscreen);
    json.Key("NoBorder").Bool(o.NoBorder);
    json.Key("ShowCursor").Bool(o.ShowCursor);
    json.Key("WinScale").Integer(o.WinScale);
    json.Key("FullScale").Integer(o.FullScale);
    json.Key("ScaleHardware").Bool(o.ScaleHardware);
    json.Key("SetResolution").Bool(o.SetResolution);
    json.Key("Exclusive").Bool(o.Exclusive);
    json.Key("ColorDepth").Integer(o.ColorDepth);
    json.Key("Resolution").Integer(o.Resolution);
    json.Key("Frequency").Integer(o.Frequency);
    json.Key("WaitVBlank").Bool(o.WaitVBlank);
    json.Key("FullscreenCaption").Bool(o.FullscreenCaption);
    json.Key("NoClose").Bool(o.NoClose);
    json.Key("ScreenKey").Bool(o.ScreenKey);
    json.Key("HelpKey").Bool(o.HelpKey);
    json.Key("QuitKey").Bool(o.QuitKey);
    json.Key("SaveKey").Bool(o.SaveKey);
    json.Key("Priority").Integer(o.Priority);
    json.Key("FlagA").Bool(o.FlagA);
    json.Key("FlagB").Bool(o.FlagB);
    json.Key("Freeze").Bool(o.Freeze);
    json.Key("ProgressBar").Integer(o.ProgressBar);
    image("BackImage", o.BackImage);
    image("FrontImage", o.FrontImage);
    json.Key("ShowLoadImage").Bool(o.ShowLoadImage);
    image("LoadImage", o.LoadImage);
    json.Key("LoadTransparent").Bool(o.LoadTransparent);
    json.Key("LoadAlpha").Integer(o.LoadAlpha);
    json.Key("ScaleProgress").Bool(o.ScaleProgress);
    json.Key("GameIcon");
    WriteBlob(json, &o.GameIcon);
    json.Key("DisplayErrors").Bool(o.DisplayErrors);
    json.Key("WriteErrors").Bool(o.WriteErrors);
    json.Key("AbortErrors").Bool(o.AbortErrors);
    json.Key("VariableErrors").Bool(o.VariableErrors);
    json.Key("Author").Text(o.Author);
    json.Key("Version").Integer(o.Version);
    json.Key("LastChanged").Real(o.LastChanged);
    json.Key("Information").Text(o.Information);
    json.Key("Constants").BeginArray();
    for (const UserConstant& constant : o.Constants) {
        json.BeginArray(true);
        json.Text(constant.Name);
        json.Text(constant.Value);
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

void WriteSprite(JsonWriter& json, const CSprite& s) {
    json.Key("Width").Integer(s.Width);
    json.Key("Height").Integer(s.Height);
    json.Key("BoxMode").Integer(s.BoxMode);
    json.Key("BoxLeft").Integer(s.BoxLeft);
    json.Key("BoxRight").Integer(s.BoxRight);
    json.Key("BoxBottom").Integer(s.BoxBottom);
    json.Key("BoxTop").Integer(s.BoxTop);
    json.Key("Transparent").Bool(s.Transparent);
    json.Key("PreciseCollision").Bool(s.PreciseCollision);
    json.Key("VideoMemory").Bool(s.VideoMemory);
    json.Key("LoadOnUse").Bool(s.LoadOnUse);
    json.Key("XOrigin").Integer(s.XOrigin);
    json.Key("YOrigin").Integer(s.YOrigin);
    json.Key("frames").BeginArray();
    for (int i = 0; i < s.FrameCount(); ++i) WriteImage(json, s.GetImage(i).get());
    json.EndArray();
}

void WriteBackground(JsonWriter& json, const CBackground& b) {
    json.Key("Width").Integer(b.Width);
    json.Key("Height").Integer(b.Height);
    json.Key("Transparent").Bool(b.Transparent);
    json.Key("VideoMemory").Bool(b.VideoMemory);
    json.Key("LoadOnUse").Bool(b.LoadOnUse);
    json.Key("image");
    WriteImage(json, b.GetImage().get());
}

void WriteSound(JsonWriter& json, const CSound& s) {
    json.Key("Kind").Integer(s.Kind);
    json.Key("FileType").Text(s.FileType);
    json.Key("Buffers").Integer(s.Buffers);
    json.Key("Effects").Bool(s.Effects);
    json.Key("LoadOnUse").Bool(s.LoadOnUse);
    json.Key("data");
    WriteBlob(json, s.HasData() ? &s.Data() : nullptr);
}

void WritePath(JsonWriter& json, const CPath& p) {
    json.Key("Kind").Integer(p.Kind);
    json.Key("Closed").Bool(p.Closed);
    json.Key("Precision").Integer(p.Precision);
    json.Key("BackgroundRoom").Integer(p.BackgroundRoom);
    json.Key("SnapX").Integer(p.SnapX);
    json.Key("SnapY").Integer(p.SnapY);
    json.Key("points").BeginArray();
    for (int i = 0; i < p.PointCount(); ++i) {
        PathPoint point = p.GetPoint(i);
        json.BeginArray(true);
        json.Real(point.x);
        json.Real(point.y);
        json.Real(point.speed);
        json.EndArray();
    }
    json.EndArray();
}

void WriteDataFile(JsonWriter& json, const CDataFile& d) {
    json.Key("FileName").Text(d.FileName);
    json.Key("HasData").Bool(d.HasData);
    json.Key("ExportMode").Integer(d.ExportMode);
    json.Key("Overwrite").Bool(d.Overwrite);
    json.Key("FreeMemory").Bool(d.FreeMemory);
    json.Key("RemoveAtEnd").Bool(d.RemoveAtEnd);
    json.Key("data");
    WriteBlob(json, d.HasData ? &d.Data() : nullptr);
}

void WriteTimeLine(JsonWriter& json, const CTimeLine& t) {
    json.Key("moments").BeginArray();
    for (int i = 0; i < t.MomentCount(); ++i) {
        json.BeginObject();
        json.Key("step").Integer(t.GetMomentStep(i));
        WriteActions(json, *t.GetMomentEvent(i));
        json.EndObject();
    }
    json.EndArray();
}

void WriteObject(JsonWriter& json, CObject& o) {
    json.Key("Sprite").Integer(o.Sprite);
    json.Key("Solid").Bool(o.Solid);
    json.Key("Visible").Bool(o.Visible);
    json.Key("Depth").Integer(o.Depth);
    json.Key("Persistent").Bool(o.Persistent);
    json.Key("Parent").Integer(o.Parent);
    json.Key("Mask").Integer(o.Mask);
    WriteObjectEvents(json, o);
}

void WriteRoom(JsonWriter& json, const CRoom& r) {
    json.Key("Caption").Text(r.Caption);
    json.Key("Speed").Integer(r.Speed);
    json.Key("Width").Integer(r.Width);
    json.Key("Height").Integer(r.Height);
    json.Key("SnapX").Integer(r.SnapX);
    json.Key("SnapY").Integer(r.SnapY);
    json.Key("Isometric").Bool(r.Isometric);
    json.Key("Persistent").Bool(r.Persistent);
    json.Key("Color").Integer(r.Color);
    json.Key("DrawColor").Bool(r.DrawColor);
    json.Key("CreationCode").Text(r.CreationCode);
    json.Key("ViewsEnabled").Bool(r.ViewsEnabled);

    json.Key("layers").BeginArray();
    for (int i = 0; i < kRoomLayerCount; ++i) {
        RoomBackground l = r.GetLayer(i);
        json.BeginObject();
        json.Key("Visible").Bool(l.Visible);
        json.Key("Foreground").Bool(l.Foreground);
        json.Key("Background").Integer(l.Background);
        json.Key("X").Integer(l.X);
        json.Key("Y").Integer(l.Y);
        json.Key("TileH").Bool(l.TileH);
        json.Key("TileV").Bool(l.TileV);
        json.Key("HSpeed").Integer(l.HSpeed);
        json.Key("VSpeed").Integer(l.VSpeed);
        json.Key("Stretch").Bool(l.Stretch);
        json.EndObject();
    }
    json.EndArray();

    json.Key("views").BeginArray();
    for (int i = 0; i < kRoomViewCount; ++i) {
        RoomView v = r.GetView(i);
        json.BeginObject();
        json.Key("Visible").Bool(v.Visible);
        json.Key("ViewX").Integer(v.ViewX);
        json.Key("ViewY").Integer(v.ViewY);
        json.Key("ViewW").Integer(v.ViewW);
        json.Key("ViewH").Integer(v.ViewH);
        json.Key("PortX").Integer(v.PortX);
        json.Key("PortY").Integer(v.PortY);
        json.Key("HBorder").Integer(v.HBorder);
        json.Key("VBorder").Integer(v.VBorder);
        json.Key("HSpeed").Integer(v.HSpeed);
        json.Key("VSpeed").Integer(v.VSpeed);
        json.Key("Follow").Integer(v.Follow);
        json.EndObject();
    }
    json.EndArray();

    // Instances and tiles come by the thousand: one line each.
    json.Key("instances").BeginArray();
    for (int i = 0; i < r.InstanceCount(); ++i) {
        RoomInstance instance = r.GetInstance(i);
        json.BeginObject(true);
        json.Key("X").Integer(instance.X);
        json.Key("Y").Integer(instance.Y);
        json.Key("Object").Integer(instance.Object);
        json.Key("Id").Integer(instance.Id);
        json.Key("Code").Text(instance.Code);
        json.Key("Locked").Bool(instance.Locked);
        json.EndObject();
    }
    json.EndArray();

    json.Key("tiles").BeginArray();
    for (int i = 0; i < r.TileCount(); ++i) {
        RoomTile tile = r.GetTile(i);
        json.BeginObject(true);
        json.Key("X").Integer(tile.X);
        json.Key("Y").Integer(tile.Y);
        json.Key("Background").Integer(tile.Background);
        json.Key("Left").Integer(tile.Left);
        json.Key("Top").Integer(tile.Top);
        json.Key("Width").Integer(tile.Width);
        json.Key("Height").Integer(tile.Height);
        json.Key("Depth").Integer(tile.Depth);
        json.Key("Id").Integer(tile.Id);
        json.Key("Locked").Bool(tile.Locked);
        json.EndObject();
    }
    json.EndArray();

    const RoomEditorSettings& e = r.EditorSettings;
    json.Key("Remembered").Bool(e.Remembered);
    json.Key("WindowWidth").Integer(e.WindowWidth);
    json.Key("WindowHeight").Integer(e.WindowHeight);
    json.Key("ShowGrid").Bool(e.ShowGrid);
    json.Key("ShowObjects").Bool(e.ShowObjects);
    json.Key("ShowTiles").Bool(e.ShowTiles);
    json.Key("ShowBackgrounds").Bool(e.ShowBackgrounds);
    json.Key("ShowForegrounds").Bool(e.ShowForegrounds);
    json.Key("ShowViews").Bool(e.ShowViews);
    json.Key("DeleteUnderlyingObjects").Bool(e.DeleteUnderlyingObjects);
    json.Key("DeleteUnderlyingTiles").Bool(e.DeleteUnderlyingTiles);
    json.Key("TileWidth").Integer(e.TileWidth);
    json.Key("TileHeight").Integer(e.TileHeight);
    json.Key("TileXOffset").Integer(e.TileXOffset);
    json.Key("TileYOffset").Integer(e.TileYOffset);
    json.Key("TileHSep").Integer(e.TileHSep);
    json.Key("TileVSep").Integer(e.TileVSep);
    json.Key("ActiveTab").Integer(e.ActiveTab);
    json.Key("HScroll").Integer(e.HScroll);
    json.Key("VScroll").Integer(e.VScroll);
}

void WriteNodeFields(JsonWriter& json, const ResourceNode& node) {
    json.BeginObject();
    json.Key("kind").Integer(node.Data.Kind);
    json.Key("type").Integer(node.Data.Type);
    json.Key("index").Integer(node.Data.Index);
    json.Key("text").Text(node.Text);
    json.Key("children").BeginArray();
}

// Depth first without recursion: a file may nest groups as deep as its size allows.
void WriteNode(JsonWriter& json, const ResourceNode& top) {
    std::vector<std::pair<const ResourceNode*, int>> open{{&top, 0}};
    WriteNodeFields(json, top);
    while (!open.empty()) {
        auto& [node, next] = open.back();
        if (next < node->ChildCount()) {
            const ResourceNode* child = node->Child(next++);
            WriteNodeFields(json, *child);
            open.push_back({child, 0});
            continue;
        }
        json.EndArray();
        json.EndObject();
        open.pop_back();
    }
}

void WriteTree(JsonWriter& json, const CResourceTree& tree) {
    json.Key("tree").BeginObject();
    json.Key("room_order").BeginArray(true);
    for (std::int32_t index : tree.RoomOrder()) json.Integer(index);
    json.EndArray();
    json.Key("nodes").BeginArray();
    for (int i = 0; i < kTopLevelCount; ++i) WriteNode(json, *tree.TopLevel(i));
    json.EndArray();
    json.EndObject();
}

std::string GuidHex(const Guid& guid) {
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t byte : guid.ToBytes()) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

}  // namespace

bool ReadGameFileFacts(const std::string& fileName, GameFileFacts& facts) {
    // The library code lies between the information and the tree, so the
    // sections before it are read once more into a scratch game, one list at
    // a time, freeing each before the next.
    constexpr ResourceKind kFileOrder[] = {ResourceKind::Sound,  ResourceKind::Sprite,   ResourceKind::Background,
                                           ResourceKind::Path,   ResourceKind::Script,   ResourceKind::DataFile,
                                           ResourceKind::TimeLine, ResourceKind::Object, ResourceKind::Room};
    try {
        CStream stream;
        stream.LoadFromFile(fileName);
        stream.ReadInteger();  // magic
        facts.Version = stream.ReadInteger();
        stream.Seek(8 + 16, SeekOrigin::Current);  // debug flag, game id, GUID
        if (!CGameOptions::SkipOptions(stream)) return false;
        Game scratch;
        for (ResourceKind kind : kFileOrder) {
            if (!scratch.ListOf(kind)->LoadList(stream)) return false;
            scratch.ListOf(kind)->ClearList();
        }
        if (!CGameInformation::SkipInformation(stream)) return false;
        if (stream.ReadInteger() != kLibraryCodeSectionVersion) return false;
        std::int32_t count = stream.ReadInteger();
        if (count > 0 && static_cast<std::size_t>(count) > stream.Remaining() / 4) return false;
        facts.LibraryCode.clear();
        for (std::int32_t i = 0; i < count; ++i) facts.LibraryCode.push_back(stream.ReadString());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void DumpGame(JsonWriter& json, Game& game, const GameFileFacts& facts) {
    json.BeginObject();
    json.Key("version").Integer(facts.Version);
    json.Key("game_id").Integer(game.GameId);
    json.Key("guid").Text(GuidHex(game.GameGuid));
    WriteOptions(json, game.Options);
    WriteList(json, "sounds", game.Sounds(), [&](CSound& s) { WriteSound(json, s); });
    WriteList(json, "sprites", game.Sprites(), [&](CSprite& s) { WriteSprite(json, s); });
    WriteList(json, "backgrounds", game.Backgrounds(), [&](CBackground& b) { WriteBackground(json, b); });
    WriteList(json, "paths", game.Paths(), [&](CPath& p) { WritePath(json, p); });
    WriteList(json, "scripts", game.Scripts(), [&](CScript& s) { json.Key("Code").Text(s.Code); });
    WriteList(json, "datafiles", game.DataFiles(), [&](CDataFile& d) { WriteDataFile(json, d); });
    WriteList(json, "timelines", game.TimeLines(), [&](CTimeLine& t) { WriteTimeLine(json, t); });
    WriteList(json, "objects", game.Objects(), [&](CObject& o) { WriteObject(json, o); });
    WriteList(json, "rooms", game.Rooms(), [&](CRoom& r) { WriteRoom(json, r); });
    json.Key("last_instance_id").Integer(game.LastInstanceId);
    json.Key("last_tile_id").Integer(game.LastTileId);

    json.Key("information").BeginObject();
    json.Key("BackColor").Integer(game.Information.BackColor);
    json.Key("MimicMainForm").Bool(game.Information.MimicMainForm);
    // The text as its record stores it.
    std::string text = WriteRtf(game.Information.Text);
    json.Key("Text");
    WriteBlob(json, &text);
    json.EndObject();

    json.Key("library_code").BeginArray();
    for (const std::string& code : facts.LibraryCode) json.Text(code);
    json.EndArray();
    WriteTree(json, game.Tree());
    json.EndObject();
}

}  // namespace kestrin::cli
