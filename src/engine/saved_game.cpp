// The save file: a mark, the format, the game's id, then one compressed block
// with the played state.

#include "engine/saved_game.h"

#include <exception>
#include <map>
#include <set>

#include "engine/saved_message_look.h"
#include "engine/saved_particles.h"
#include "engine/saved_reading.h"
#include "platform/random_source.h"
#include "storage/game.h"
#include "stream/stream.h"

namespace kestrin::engine {

namespace {

constexpr char kMark[] = "KESTRIN SAVE";
// Format 2 added the globalvar names, the data structures and the
// deactivated instances; format 3 the tiles' looks; format 4 the particles
// and the message look. Files of the earlier formats still load, without
// what came later.
constexpr std::int32_t kFormat = 4;
constexpr int kValueReal = 0, kValueText = 1;

void WriteValue(CStream& out, const Value& value) {
    if (value.IsString()) {
        out.WriteInteger(kValueText);
        out.WriteString(value.Text());
    } else {
        out.WriteInteger(kValueReal);
        out.WriteReal(value.Real());
    }
}

Value ReadValue(CStream& in) {
    const std::int32_t kind = in.ReadInteger();
    CheckSaved(kind == kValueReal || kind == kValueText);
    if (kind == kValueText) return Value(in.ReadString());
    return Value(in.ReadReal());
}

void WriteVariables(CStream& out, const VariableStore& store, const NameTable& names) {
    std::int32_t count = 0;
    store.ForEach([&](NameId, const auto&) { ++count; });
    out.WriteInteger(count);
    store.ForEach([&](NameId name, const std::vector<std::vector<Value>>& rows) {
        out.WriteString(names.Name(name));
        out.WriteInteger(static_cast<std::int32_t>(rows.size()));
        for (const std::vector<Value>& row : rows) {
            out.WriteInteger(static_cast<std::int32_t>(row.size()));
            for (const Value& value : row) WriteValue(out, value);
        }
    });
}

void ReadVariables(CStream& in, VariableStore& store, NameTable& names) {
    store.Clear();
    const std::size_t count = ReadSavedCount(in, 8);
    for (std::size_t v = 0; v < count; ++v) {
        const std::string name = in.ReadString();
        CheckSaved(!name.empty());
        const NameId id = names.Intern(name);
        const std::size_t rows = ReadSavedCount(in, 4);
        CheckSaved(rows > 0);
        for (std::size_t r = 0; r < rows; ++r) {
            const std::size_t cells = ReadSavedCount(in, 12);
            for (std::size_t c = 0; c < cells; ++c) {
                std::string error;
                // The store refuses more elements than code could make.
                CheckSaved(store.Set(id, static_cast<int>(r), static_cast<int>(c), ReadValue(in), error));
            }
        }
    }
}

void WriteBackground(CStream& out, const RoomBackground& b) {
    out.WriteBoolean(b.Visible);
    out.WriteBoolean(b.Foreground);
    out.WriteInteger(b.Background);
    out.WriteInteger(b.X);
    out.WriteInteger(b.Y);
    out.WriteBoolean(b.TileH);
    out.WriteBoolean(b.TileV);
    out.WriteInteger(b.HSpeed);
    out.WriteInteger(b.VSpeed);
    out.WriteBoolean(b.Stretch);
}

void ReadBackground(CStream& in, RoomBackground& b) {
    b.Visible = in.ReadBoolean();
    b.Foreground = in.ReadBoolean();
    b.Background = in.ReadInteger();
    b.X = in.ReadInteger();
    b.Y = in.ReadInteger();
    b.TileH = in.ReadBoolean();
    b.TileV = in.ReadBoolean();
    b.HSpeed = in.ReadInteger();
    b.VSpeed = in.ReadInteger();
    b.Stretch = in.ReadBoolean();
}

void WriteView(CStream& out, const RoomView& v) {
    out.WriteBoolean(v.Visible);
    for (std::int32_t field : {v.ViewX, v.ViewY, v.ViewW, v.ViewH, v.PortX, v.PortY, v.HBorder, v.VBorder, v.HSpeed,
                               v.VSpeed, v.Follow})
        out.WriteInteger(field);
}

void ReadView(CStream& in, RoomView& v) {
    v.Visible = in.ReadBoolean();
    for (std::int32_t* field : {&v.ViewX, &v.ViewY, &v.ViewW, &v.ViewH, &v.PortX, &v.PortY, &v.HBorder, &v.VBorder,
                                &v.HSpeed, &v.VSpeed, &v.Follow})
        *field = in.ReadInteger();
}

void WriteRoom(CStream& out, const RoomState& room) {
    out.WriteInteger(room.index);
    out.WriteString(room.name);
    out.WriteInteger(room.width);
    out.WriteInteger(room.height);
    out.WriteInteger(room.speed);
    out.WriteInteger(room.color);
    out.WriteBoolean(room.drawColor);
    out.WriteBoolean(room.viewsEnabled);
    out.WriteBoolean(room.persistent);
    for (int i = 0; i < kRoomLayerCount; ++i) {
        WriteBackground(out, room.layers[i]);
        out.WriteReal(room.layerX[i]);
        out.WriteReal(room.layerY[i]);
    }
    for (const RoomView& view : room.views) WriteView(out, view);
    out.WriteInteger(static_cast<std::int32_t>(room.tiles.size()));
    for (const PlayedTile& t : room.tiles) {
        for (std::int32_t field : {t.X, t.Y, t.Background, t.Left, t.Top, t.Width, t.Height, t.Depth, t.Id})
            out.WriteInteger(field);
        out.WriteBoolean(t.look.visible);
        for (double field : {t.look.xscale, t.look.yscale, t.look.alpha}) out.WriteReal(field);
    }
}

void ReadRoom(CStream& in, std::int32_t format, Game& game, RoomState& room) {
    room.index = in.ReadInteger();
    CheckSaved(game.Rooms().ResourceAt(room.index) != nullptr);
    room.name = in.ReadString();
    room.width = in.ReadInteger();
    room.height = in.ReadInteger();
    room.speed = in.ReadInteger();
    // The same bounds the room editor keeps.
    CheckSaved(room.width > 0 && room.height > 0 && room.width <= 99999 && room.height <= 99999);
    CheckSaved(room.speed > 0 && room.speed <= 9999);
    room.color = in.ReadInteger();
    room.drawColor = in.ReadBoolean();
    room.viewsEnabled = in.ReadBoolean();
    room.persistent = in.ReadBoolean();
    for (int i = 0; i < kRoomLayerCount; ++i) {
        ReadBackground(in, room.layers[i]);
        room.layerX[i] = in.ReadReal();
        room.layerY[i] = in.ReadReal();
    }
    for (RoomView& view : room.views) ReadView(in, view);
    const bool looks = format >= 3;
    room.tiles.resize(ReadSavedCount(in, looks ? 9 * 4 + 1 + 3 * 8 : 9 * 4));
    for (PlayedTile& t : room.tiles) {
        for (std::int32_t* field : {&t.X, &t.Y, &t.Background, &t.Left, &t.Top, &t.Width, &t.Height, &t.Depth, &t.Id})
            *field = in.ReadInteger();
        if (!looks) continue;
        t.look.visible = in.ReadBoolean();
        for (double* field : {&t.look.xscale, &t.look.yscale, &t.look.alpha}) *field = in.ReadReal();
        CheckSaved(t.look.alpha >= 0 && t.look.alpha <= 1);
    }
}

void WriteValues(CStream& out, const GameValues& v) {
    for (double field : {v.score, v.lives, v.health}) out.WriteReal(field);
    for (bool field : {v.showScore, v.showLives, v.showHealth}) out.WriteBoolean(field);
    for (const std::string* field : {&v.captionScore, &v.captionLives, &v.captionHealth, &v.roomCaption})
        out.WriteString(*field);
    for (double field : {v.brushColor, v.brushStyle, v.penColor, v.penSize, v.fontColor}) out.WriteReal(field);
    out.WriteString(v.fontName);
    for (double field : {v.fontSize, v.fontStyle, v.fontAngle, v.fontAlign}) out.WriteReal(field);
}

void ReadValues(CStream& in, GameValues& v) {
    for (double* field : {&v.score, &v.lives, &v.health}) *field = in.ReadReal();
    for (bool* field : {&v.showScore, &v.showLives, &v.showHealth}) *field = in.ReadBoolean();
    for (std::string* field : {&v.captionScore, &v.captionLives, &v.captionHealth, &v.roomCaption})
        *field = in.ReadString();
    for (double* field : {&v.brushColor, &v.brushStyle, &v.penColor, &v.penSize, &v.fontColor}) *field = in.ReadReal();
    v.fontName = in.ReadString();
    for (double* field : {&v.fontSize, &v.fontStyle, &v.fontAngle, &v.fontAlign}) *field = in.ReadReal();
}

void WriteInstance(CStream& out, const Instance& i, const NameTable& names) {
    out.WriteInteger(i.id);
    out.WriteInteger(i.object);
    for (double field : {i.x, i.y, i.xprevious, i.yprevious, i.xstart, i.ystart, i.friction, i.gravity,
                         i.gravityDirection, i.imageIndex, i.imageSpeed, i.depth, i.Hspeed(), i.Vspeed(), i.Speed(),
                         i.Direction()})
        out.WriteReal(field);
    out.WriteInteger(i.spriteIndex);
    out.WriteInteger(i.maskIndex);
    for (bool field : {i.visible, i.solid, i.persistent, i.mouseOver}) out.WriteBoolean(field);
    for (double alarm : i.alarm) out.WriteReal(alarm);
    out.WriteInteger(i.timelineIndex);
    for (double field : {i.timelinePosition, i.timelineSpeed}) out.WriteReal(field);
    out.WriteInteger(i.pathIndex);
    for (double field : {i.pathPosition, i.pathPositionPrevious, i.pathSpeed, i.pathScale, i.pathOrientation,
                         i.pathXOffset, i.pathYOffset})
        out.WriteReal(field);
    out.WriteInteger(i.pathEndAction);
    WriteVariables(out, i.variables, names);
}

void ReadInstance(CStream& in, Game& game, NameTable& names, Instance& i) {
    i.id = in.ReadInteger();
    i.object = in.ReadInteger();
    CheckSaved(game.Objects().ResourceAt(i.object) != nullptr);
    double h, v, speed, direction;
    for (double* field : {&i.x, &i.y, &i.xprevious, &i.yprevious, &i.xstart, &i.ystart, &i.friction, &i.gravity,
                          &i.gravityDirection, &i.imageIndex, &i.imageSpeed, &i.depth, &h, &v, &speed, &direction})
        *field = in.ReadReal();
    i.RestoreMotion(h, v, speed, direction);
    i.spriteIndex = in.ReadInteger();
    i.maskIndex = in.ReadInteger();
    for (bool* field : {&i.visible, &i.solid, &i.persistent, &i.mouseOver}) *field = in.ReadBoolean();
    for (double& alarm : i.alarm) alarm = in.ReadReal();
    i.timelineIndex = in.ReadInteger();
    for (double* field : {&i.timelinePosition, &i.timelineSpeed}) *field = in.ReadReal();
    i.pathIndex = in.ReadInteger();
    for (double* field : {&i.pathPosition, &i.pathPositionPrevious, &i.pathSpeed, &i.pathScale, &i.pathOrientation,
                          &i.pathXOffset, &i.pathYOffset})
        *field = in.ReadReal();
    i.pathEndAction = in.ReadInteger();
    CheckSaved(i.pathEndAction >= 0 && i.pathEndAction <= 3);
    ReadVariables(in, i.variables, names);
}

void WriteValues(CStream& out, const std::deque<Value>& values) {
    out.WriteInteger(static_cast<std::int32_t>(values.size()));
    for (const Value& value : values) WriteValue(out, value);
}
void WriteValues(CStream& out, const std::vector<Value>& values) {
    out.WriteInteger(static_cast<std::int32_t>(values.size()));
    for (const Value& value : values) WriteValue(out, value);
}
void WriteValues(CStream& out, const std::multimap<Value, Value, ValueOrder>& map) {
    out.WriteInteger(static_cast<std::int32_t>(map.size()));
    for (const auto& [key, value] : map) {
        WriteValue(out, key);
        WriteValue(out, value);
    }
}
void WriteValues(CStream& out, const DataStructures::Priority& queue) {
    out.WriteInteger(static_cast<std::int32_t>(queue.entries.size()));
    for (const auto& [value, priority] : queue.entries) {
        WriteValue(out, value);
        WriteValue(out, priority);
    }
}

// A value is at least its kind and a real's 8 bytes or a string's length.
constexpr std::size_t kSmallestValue = 8;

std::size_t ReadStructureSize(CStream& in, std::size_t valuesPerElement) {
    const std::size_t count = ReadSavedCount(in, valuesPerElement * kSmallestValue);
    CheckSaved(count < DataStructures::kMaxElements);
    return count;
}
void ReadValues(CStream& in, std::deque<Value>& values) {
    for (std::size_t n = ReadStructureSize(in, 1); n > 0; --n) values.push_back(ReadValue(in));
}
void ReadValues(CStream& in, std::vector<Value>& values) {
    for (std::size_t n = ReadStructureSize(in, 1); n > 0; --n) values.push_back(ReadValue(in));
}
void ReadValues(CStream& in, std::multimap<Value, Value, ValueOrder>& map) {
    for (std::size_t n = ReadStructureSize(in, 2); n > 0; --n) {
        Value key = ReadValue(in);
        map.emplace(std::move(key), ReadValue(in));
    }
}
void ReadValues(CStream& in, DataStructures::Priority& queue) {
    for (std::size_t n = ReadStructureSize(in, 2); n > 0; --n) {
        Value value = ReadValue(in);
        queue.entries.emplace_back(std::move(value), ReadValue(in));
    }
}

// Each kind as its slots in id order, a destroyed one as an absent slot, so
// ids stay what the code holds.
template <typename T>
void WriteKind(CStream& out, const DataStructures::Kind<T>& kind) {
    out.WriteInteger(static_cast<std::int32_t>(kind.items.size()));
    for (const auto& item : kind.items) {
        out.WriteBoolean(item != nullptr);
        if (item) WriteValues(out, *item);
    }
}
template <typename T>
void ReadKind(CStream& in, DataStructures::Kind<T>& kind) {
    const std::size_t slots = ReadSavedCount(in, 4);
    CheckSaved(slots <= DataStructures::kMaxStructures);
    kind.items.resize(slots);
    for (auto& item : kind.items)
        if (in.ReadBoolean()) {
            item = std::make_unique<T>();
            ReadValues(in, *item);
        }
}

void WriteStructures(CStream& out, const DataStructures& s) {
    out.WriteReal(s.precision);
    WriteKind(out, s.stacks);
    WriteKind(out, s.queues);
    WriteKind(out, s.lists);
    WriteKind(out, s.maps);
    WriteKind(out, s.priorities);
}
void ReadStructures(CStream& in, DataStructures& s) {
    s.precision = in.ReadReal();
    CheckSaved(s.precision >= 0);
    ReadKind(in, s.stacks);
    ReadKind(in, s.queues);
    ReadKind(in, s.lists);
    ReadKind(in, s.maps);
    ReadKind(in, s.priorities);
}

// The smallest instance: its fixed fields and an empty variable count.
constexpr std::size_t kSmallestInstance = 2 * 4 + 16 * 8 + 2 * 4 + 4 * 4 + 12 * 8 + 4 + 2 * 8 + 4 + 7 * 8 + 4 + 4;

void WriteInstances(CStream& out, const std::vector<Instance>& list, const NameTable& names) {
    out.WriteInteger(static_cast<std::int32_t>(list.size()));
    for (const Instance& instance : list) WriteInstance(out, instance, names);
}

void ReadInstances(CStream& in, Game& game, NameTable& names, std::set<std::int32_t>& ids,
                   std::vector<Instance>& list) {
    list.resize(ReadSavedCount(in, kSmallestInstance));
    for (Instance& instance : list) {
        ReadInstance(in, game, names, instance);
        // Two instances with one id would make every lookup by id a guess.
        CheckSaved(ids.insert(instance.id).second);
    }
}

}  // namespace

std::string WriteSavedGame(const SavedGame& saved, std::int32_t gameId, const NameTable& names) {
    CStream body;
    WriteRoom(body, saved.room);
    WriteValues(body, saved.values);
    WriteInstances(body, saved.instances, names);
    body.WriteInteger(static_cast<std::int32_t>(saved.keptRooms.size()));
    for (const auto& [room, instances] : saved.keptRooms) {
        body.WriteInteger(room);
        WriteInstances(body, instances, names);
    }
    WriteVariables(body, saved.globals, names);
    body.WriteString(saved.random);
    body.WriteInteger(saved.nextId);
    body.WriteInteger(static_cast<std::int32_t>(saved.globalvarNames.size()));
    for (const std::string& name : saved.globalvarNames) body.WriteString(name);
    WriteStructures(body, saved.structures);
    // Deactivated instances, then the ids of those kept in persistent rooms.
    WriteInstances(body, saved.inactive, names);
    std::vector<std::int32_t> keptInactive;
    for (const auto& [room, instances] : saved.keptRooms)
        for (const Instance& instance : instances)
            if (!instance.active) keptInactive.push_back(instance.id);
    body.WriteInteger(static_cast<std::int32_t>(keptInactive.size()));
    for (std::int32_t id : keptInactive) body.WriteInteger(id);
    WriteParticles(body, saved.particles);
    WriteMessageLook(body, saved.messageLook);

    CStream file;
    file.WriteString(kMark);
    file.WriteInteger(kFormat);
    file.WriteInteger(gameId);
    file.WriteCompressedBlock(body);
    return std::string(file.View());
}

SaveFileProblem ReadSavedGame(const std::string& bytes, Game& game, NameTable& names, SavedGame& saved) {
    try {
        CStream file(bytes);
        if (file.ReadString() != kMark) return SaveFileProblem::Damaged;
        const std::int32_t format = file.ReadInteger();
        if (format < 1 || format > kFormat) return SaveFileProblem::Damaged;
        if (file.ReadInteger() != game.GameId) return SaveFileProblem::OtherGame;
        CStream body = file.ReadCompressedBlock();
        ReadRoom(body, format, game, saved.room);
        ReadValues(body, saved.values);
        std::set<std::int32_t> ids;
        ReadInstances(body, game, names, ids, saved.instances);
        saved.keptRooms.resize(ReadSavedCount(body, 8));
        std::set<int> keptIndexes;
        for (auto& [room, instances] : saved.keptRooms) {
            room = body.ReadInteger();
            CheckSaved(game.Rooms().ResourceAt(room) != nullptr && keptIndexes.insert(room).second);
            ReadInstances(body, game, names, ids, instances);
        }
        ReadVariables(body, saved.globals, names);
        saved.random = body.ReadString();
        saved.nextId = body.ReadInteger();
        if (format >= 2) {
            saved.globalvarNames.resize(ReadSavedCount(body, 4));
            for (std::string& name : saved.globalvarNames) {
                name = body.ReadString();
                CheckSaved(!name.empty());
            }
            ReadStructures(body, saved.structures);
            ReadInstances(body, game, names, ids, saved.inactive);
            for (Instance& instance : saved.inactive) instance.alive = instance.active = false;
            std::map<std::int32_t, Instance*> kept;
            for (auto& [room, instances] : saved.keptRooms)
                for (Instance& instance : instances) kept[instance.id] = &instance;
            const std::size_t keptInactive = ReadSavedCount(body, 4);
            for (std::size_t k = 0; k < keptInactive; ++k) {
                const auto found = kept.find(body.ReadInteger());
                CheckSaved(found != kept.end());
                found->second->alive = found->second->active = false;
            }
        }
        if (format >= 4) {
            ReadParticles(body, saved.particles);
            ReadMessageLook(body, saved.messageLook);
        }
        CheckSaved(body.Remaining() == 0 && file.Remaining() == 0);
        // New instances count up from here: never onto a saved one.
        CheckSaved(ids.empty() || *ids.rbegin() <= saved.nextId);
        RandomSource random;
        CheckSaved(random.SetState(saved.random));
        return SaveFileProblem::None;
    } catch (const SaveDamaged&) {
    } catch (const std::exception&) {
        // The stream's read errors and zlib's.
    }
    return SaveFileProblem::Damaged;
}

}  // namespace kestrin::engine
