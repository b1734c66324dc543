// World functions: playing over the network (see engine/multiplayer.h). The
// connection belongs to the shell's system, so it lasts through rooms and a
// restart of the game; it is made at the first of these functions. IPX,
// modems and serial cables cannot be opened here: their functions answer
// false, as for a machine without them.

#include "engine/game_shell.h"
#include "engine/multiplayer.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

Multiplayer& Network(FunctionCall& call) {
    std::unique_ptr<Multiplayer>& network = call.world.Shell().System().multiplayer;
    if (!network) network = std::make_unique<Multiplayer>(call.world.GameData().GameId);
    return *network;
}

Value Unavailable(FunctionCall&) { return 0.0; }

Value InitTcpip(FunctionCall& call) { return Truth(Network(call).InitTcpip(call.Text(0))); }
Value ConnectStatus(FunctionCall& call) { return static_cast<double>(Network(call).ConnectStatus()); }
Value End(FunctionCall& call) {
    Network(call).End();
    return 0.0;
}
Value IpAddress(FunctionCall&) { return Multiplayer::IpAddress(); }

Value SessionCreate(FunctionCall& call) {
    return Truth(Network(call).CreateSession(call.Text(0), call.Int(1), call.Text(2)));
}
Value SessionFind(FunctionCall& call) { return static_cast<double>(Network(call).FindSessions()); }
Value SessionName(FunctionCall& call) { return Network(call).SessionName(call.Int(0)); }
Value SessionJoin(FunctionCall& call) { return Truth(Network(call).JoinSession(call.Int(0), call.Text(1))); }
// Whether the host may move to another player when it leaves: a session
// always ends with its host here, so there is nothing to choose.
Value SessionMode(FunctionCall&) { return 0.0; }
Value SessionStatus(FunctionCall& call) { return static_cast<double>(Network(call).SessionStatus()); }
Value SessionEnd(FunctionCall& call) {
    Network(call).EndSession();
    return 0.0;
}

Value PlayerFind(FunctionCall& call) { return static_cast<double>(Network(call).PlayerCount()); }
Value PlayerName(FunctionCall& call) { return Network(call).PlayerName(call.Int(0)); }
Value PlayerId(FunctionCall& call) { return static_cast<double>(Network(call).PlayerId(call.Int(0))); }

Value DataWrite(FunctionCall& call) {
    Network(call).WriteData(call.Int(0), call.Count() > 1 ? call.args[1] : Value(0.0));
    return 0.0;
}
Value DataRead(FunctionCall& call) { return Network(call).ReadData(call.Int(0)); }
// Every message and every piece of data arrives: all of it goes over TCP.
Value DataMode(FunctionCall&) { return 0.0; }

Value Player(FunctionCall& call, int i) { return call.Count() > i ? call.args[i] : Value(0.0); }

Value MessageSend(FunctionCall& call) {
    return Truth(Network(call).Send(Player(call, 0), call.Int(1), Player(call, 2)));
}
Value MessageReceive(FunctionCall& call) { return Truth(Network(call).Receive(Player(call, 0))); }
Value MessageCount(FunctionCall& call) { return static_cast<double>(Network(call).MessageCount(Player(call, 0))); }
Value MessageClear(FunctionCall& call) {
    Network(call).ClearMessages(Player(call, 0));
    return 0.0;
}
Value MessageId(FunctionCall& call) { return static_cast<double>(Network(call).MessageId()); }
Value MessageValue(FunctionCall& call) { return Network(call).MessageValue(); }
Value MessagePlayer(FunctionCall& call) { return static_cast<double>(Network(call).MessagePlayer()); }
Value MessageName(FunctionCall& call) { return Network(call).MessageName(); }

}  // namespace

void AddMultiplayerFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"mplay_init_ipx", Unavailable},          {"mplay_init_modem", Unavailable},
        {"mplay_init_serial", Unavailable},       {"mplay_init_tcpip", InitTcpip},
        {"mplay_connect_status", ConnectStatus},  {"mplay_end", End},
        {"mplay_ipaddress", IpAddress},           {"mplay_session_create", SessionCreate},
        {"mplay_session_find", SessionFind},      {"mplay_session_name", SessionName},
        {"mplay_session_join", SessionJoin},      {"mplay_session_mode", SessionMode},
        {"mplay_session_status", SessionStatus},  {"mplay_session_end", SessionEnd},
        {"mplay_player_find", PlayerFind},        {"mplay_player_name", PlayerName},
        {"mplay_player_id", PlayerId},            {"mplay_data_write", DataWrite},
        {"mplay_data_read", DataRead},            {"mplay_data_mode", DataMode},
        {"mplay_message_send", MessageSend},      {"mplay_message_send_guaranteed", MessageSend},
        {"mplay_message_receive", MessageReceive}, {"mplay_message_count", MessageCount},
        {"mplay_message_clear", MessageClear},    {"mplay_message_id", MessageId},
        {"mplay_message_value", MessageValue},    {"mplay_message_player", MessagePlayer},
        {"mplay_message_name", MessageName},
    });
}

}  // namespace kestrin::engine
