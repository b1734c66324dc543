// The world-free built-in functions. Each checks its argument types, and a
// math function whose result is not a number reports its argument as out of
// range instead of letting NaN spread through the game.

#include "engine/script/builtin_functions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <unordered_map>

#include "engine/script/interpreter.h"
#include "engine/script/run_messages.h"

namespace kestrin::engine {

namespace {

// The code of execute_file: a regular file (a pipe would wait forever) no
// longer than a string may be.
bool ReadCodeFile(const std::string& name, std::string& code) {
    std::error_code error;
    const std::filesystem::path path(name);
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxStringLength) return false;
    std::ifstream in(path, std::ios::binary);
    code.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

using Args = const Value*;

bool AllReal(Args a, int count) {
    for (int i = 0; i < count; ++i)
        if (a[i].IsString()) return false;
    return true;
}

bool WrongTypes(BuiltinContext& c) { return c.Fail(messages::WrongTypes(c.function)); }

// A real function of one or two reals; NaN means the arguments were outside its domain.
template <typename F>
bool Math(BuiltinContext& c, Args a, int count, Value& r, F f) {
    if (!AllReal(a, count)) return WrongTypes(c);
    const double value = f(a);
    if (std::isnan(value)) return c.Fail(messages::BadArgument(c.function));
    r = Value(value);
    return true;
}

#define KESTRIN_MATH(expression) \
    [](BuiltinContext& c, Args a, int n, Value& r) { return Math(c, a, n, r, [](Args x) { return (expression); }); }

double DegToRad(double degrees) { return degrees * std::numbers::pi / 180.0; }

bool StringResult(BuiltinContext& c, std::string text, Value& r) {
    if (text.size() > kMaxStringLength) return c.Fail(messages::kStringTooLong);
    r = Value(std::move(text));
    return true;
}

// Positions in strings count from 1; this clamps a real position to 0 .. size.
std::size_t Position(double position, std::size_t size) {
    if (!(position >= 1)) return 0;
    const double rounded = std::nearbyint(position) - 1;
    return rounded >= static_cast<double>(size) ? size : static_cast<std::size_t>(rounded);
}

std::size_t Count(double count) {
    if (!(count > 0)) return 0;
    const double rounded = std::nearbyint(count);
    return rounded >= static_cast<double>(kMaxStringLength + 1) ? kMaxStringLength + 1
                                                               : static_cast<std::size_t>(rounded);
}

template <typename Keep>
std::string Filter(const std::string& text, Keep keep) {
    std::string result;
    for (char ch : text)
        if (keep(static_cast<unsigned char>(ch))) result += ch;
    return result;
}

bool CheckTypes(BuiltinContext& c, Args a, std::initializer_list<bool> isString) {
    int i = 0;
    for (bool wanted : isString) {
        if (a[i].IsString() != wanted) return WrongTypes(c);
        ++i;
    }
    return true;
}

double ParseReal(const std::string& text) {
    const char* start = text.c_str();
    while (*start == ' ' || *start == '\t') ++start;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    return end == start || std::isnan(value) ? 0.0 : value;
}

std::string Replace(const std::string& text, const std::string& what, const std::string& with, bool all) {
    if (what.empty()) return text;
    std::string result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t found = text.find(what, from);
        if (found == std::string::npos || result.size() > kMaxStringLength) break;
        result.append(text, from, found - from).append(with);
        from = found + what.size();
        if (!all) break;
    }
    return result.append(text, from, std::string::npos);
}

bool MinMax(BuiltinContext& c, Args a, int n, Value& r, bool wantMax) {
    if (!AllReal(a, n)) return WrongTypes(c);
    double best = n > 0 ? a[0].Real() : 0.0;
    for (int i = 1; i < n; ++i) best = wantMax ? std::max(best, a[i].Real()) : std::min(best, a[i].Real());
    r = Value(best);
    return true;
}

// Variables by name: the globals or the running instance's.
bool GetByName(BuiltinContext& c, InstanceId instance, Args a, int indexes, Value& r, bool existsOnly) {
    if (a[0].IsString() == false || !AllReal(a + 1, indexes)) return WrongTypes(c);
    int row = 0, column = 0;
    if (indexes == 1) column = static_cast<int>(std::nearbyint(a[1].Real()));
    if (indexes == 2) {
        row = static_cast<int>(std::nearbyint(a[1].Real()));
        column = static_cast<int>(std::nearbyint(a[2].Real()));
    }
    if (row < 0 || column < 0) return c.Fail(messages::kNegativeIndex);
    if (row > kMaxArrayIndex || column > kMaxArrayIndex) return c.Fail(messages::kIndexTooLarge);
    std::string error;
    Value value;
    const VariableStatus status =
        c.Host().GetVariable(instance, c.Names().Intern(a[0].Text()), row, column, value, error);
    if (existsOnly) {
        r = Value(status == VariableStatus::Done ? 1.0 : 0.0);
        return true;
    }
    if (status == VariableStatus::Refused) return c.Fail(error);
    if (status == VariableStatus::Unknown) {
        if (!c.UnsetVariablesAreZero()) return c.Fail(messages::UnknownVariable(a[0].Text()));
        value = Value(0.0);
    }
    r = std::move(value);
    return true;
}

bool SetByName(BuiltinContext& c, InstanceId instance, Args a, int indexes, Value& r) {
    if (a[0].IsString() == false || !AllReal(a + 1, indexes)) return WrongTypes(c);
    int row = 0, column = 0;
    if (indexes == 1) column = static_cast<int>(std::nearbyint(a[1].Real()));
    if (indexes == 2) {
        row = static_cast<int>(std::nearbyint(a[1].Real()));
        column = static_cast<int>(std::nearbyint(a[2].Real()));
    }
    if (row < 0 || column < 0) return c.Fail(messages::kNegativeIndex);
    if (row > kMaxArrayIndex || column > kMaxArrayIndex) return c.Fail(messages::kIndexTooLarge);
    std::string error;
    if (c.Host().SetVariable(instance, c.Names().Intern(a[0].Text()), row, column, a[indexes + 1], error) !=
        VariableStatus::Done)
        return c.Fail(error);
    r = Value(0.0);
    return true;
}

BuiltinTable MakeTable() {
    BuiltinTable table = {
        // Types.
        {"is_real", [](BuiltinContext&, Args a, int, Value& r) { r = Value(a[0].IsReal() ? 1.0 : 0.0); return true; }},
        {"is_string", [](BuiltinContext&, Args a, int, Value& r) { r = Value(a[0].IsString() ? 1.0 : 0.0); return true; }},
        // Arithmetic.
        {"random",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (a[0].IsString()) return WrongTypes(c);
             // Sixty random bits make a fraction in [0, 1).
             RandomSource& random = c.Host().Random();
             const double high = random.Next(1 << 30), low = random.Next(1 << 30);
             r = Value((high * 1073741824.0 + low) / 1152921504606846976.0 * a[0].Real());
             return true;
         }},
        {"abs", KESTRIN_MATH(std::fabs(x[0].Real()))},
        {"round", KESTRIN_MATH(std::nearbyint(x[0].Real()))},
        {"floor", KESTRIN_MATH(std::floor(x[0].Real()))},
        {"ceil", KESTRIN_MATH(std::ceil(x[0].Real()))},
        {"sign", KESTRIN_MATH(x[0].Real() > 0 ? 1.0 : x[0].Real() < 0 ? -1.0 : 0.0)},
        {"frac", KESTRIN_MATH(x[0].Real() - std::trunc(x[0].Real()))},
        {"sqrt", KESTRIN_MATH(x[0].Real() < 0 ? NAN : std::sqrt(x[0].Real()))},
        {"sqr", KESTRIN_MATH(x[0].Real() * x[0].Real())},
        {"exp", KESTRIN_MATH(std::exp(x[0].Real()))},
        {"ln", KESTRIN_MATH(x[0].Real() <= 0 ? NAN : std::log(x[0].Real()))},
        {"log2", KESTRIN_MATH(x[0].Real() <= 0 ? NAN : std::log2(x[0].Real()))},
        {"log10", KESTRIN_MATH(x[0].Real() <= 0 ? NAN : std::log10(x[0].Real()))},
        {"logn", KESTRIN_MATH(x[0].Real() <= 0 || x[0].Real() == 1 || x[1].Real() <= 0
                                  ? NAN
                                  : std::log(x[1].Real()) / std::log(x[0].Real()))},
        {"sin", KESTRIN_MATH(std::sin(x[0].Real()))},
        {"cos", KESTRIN_MATH(std::cos(x[0].Real()))},
        {"tan", KESTRIN_MATH(std::tan(x[0].Real()))},
        {"arcsin", KESTRIN_MATH(std::asin(x[0].Real()))},
        {"arccos", KESTRIN_MATH(std::acos(x[0].Real()))},
        {"arctan", KESTRIN_MATH(std::atan(x[0].Real()))},
        {"arctan2", KESTRIN_MATH(std::atan2(x[0].Real(), x[1].Real()))},
        {"power", KESTRIN_MATH(std::pow(x[0].Real(), x[1].Real()))},
        {"degtorad", KESTRIN_MATH(DegToRad(x[0].Real()))},
        {"radtodeg", KESTRIN_MATH(x[0].Real() * 180.0 / std::numbers::pi)},
        {"lengthdir_x", KESTRIN_MATH(x[0].Real() * std::cos(DegToRad(x[1].Real())))},
        {"lengthdir_y", KESTRIN_MATH(-x[0].Real() * std::sin(DegToRad(x[1].Real())))},
        {"point_distance", KESTRIN_MATH(std::hypot(x[2].Real() - x[0].Real(), x[3].Real() - x[1].Real()))},
        {"point_direction",
         KESTRIN_MATH(x[0].Real() == x[2].Real() && x[1].Real() == x[3].Real()
                          ? 0.0
                          : std::fmod(std::atan2(x[1].Real() - x[3].Real(), x[2].Real() - x[0].Real()) * 180.0 /
                                              std::numbers::pi + 360.0, 360.0))},
        {"min", [](BuiltinContext& c, Args a, int n, Value& r) { return MinMax(c, a, n, r, false); }},
        {"max", [](BuiltinContext& c, Args a, int n, Value& r) { return MinMax(c, a, n, r, true); }},
        {"min3", [](BuiltinContext& c, Args a, int n, Value& r) { return MinMax(c, a, n, r, false); }},
        {"max3", [](BuiltinContext& c, Args a, int n, Value& r) { return MinMax(c, a, n, r, true); }},
        {"mean",
         [](BuiltinContext& c, Args a, int n, Value& r) {
             if (!AllReal(a, n)) return WrongTypes(c);
             double sum = 0;
             for (int i = 0; i < n; ++i) sum += a[i].Real();
             r = Value(n > 0 ? sum / n : 0.0);
             return true;
         }},
        // Strings.
        {"real",
         [](BuiltinContext&, Args a, int, Value& r) {
             r = Value(a[0].IsReal() ? a[0].Real() : ParseReal(a[0].Text()));
             return true;
         }},
        {"string",
         [](BuiltinContext&, Args a, int, Value& r) {
             r = a[0].IsString() ? a[0] : Value(RealToText(a[0].Real()));
             return true;
         }},
        {"chr",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (a[0].IsString()) return WrongTypes(c);
             const double code = std::nearbyint(a[0].Real());
             r = Value(std::string(1, static_cast<char>(code >= 0 && code < 256 ? static_cast<int>(code) : 0)));
             return true;
         }},
        {"ord",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             r = Value(a[0].Text().empty() ? 0.0 : static_cast<double>(static_cast<unsigned char>(a[0].Text()[0])));
             return true;
         }},
        {"string_length",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             r = Value(static_cast<double>(a[0].Text().size()));
             return true;
         }},
        {"string_lower",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             std::string text = a[0].Text();
             for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
             r = Value(std::move(text));
             return true;
         }},
        {"string_upper",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             std::string text = a[0].Text();
             for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
             r = Value(std::move(text));
             return true;
         }},
        {"string_letters",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             r = Value(Filter(a[0].Text(), [](unsigned char ch) { return std::isalpha(ch) != 0; }));
             return true;
         }},
        {"string_digits",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             r = Value(Filter(a[0].Text(), [](unsigned char ch) { return std::isdigit(ch) != 0; }));
             return true;
         }},
        {"string_lettersdigits",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             r = Value(Filter(a[0].Text(), [](unsigned char ch) { return std::isalnum(ch) != 0; }));
             return true;
         }},
        {"string_pos",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, true})) return false;
             const std::size_t found = a[0].Text().empty() ? std::string::npos : a[1].Text().find(a[0].Text());
             r = Value(found == std::string::npos ? 0.0 : static_cast<double>(found + 1));
             return true;
         }},
        {"string_char_at",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, false})) return false;
             const std::string& text = a[0].Text();
             const double at = std::nearbyint(a[1].Real());
             r = Value(at >= 1 && at <= static_cast<double>(text.size())
                           ? std::string(1, text[static_cast<std::size_t>(at) - 1])
                           : std::string());
             return true;
         }},
        {"string_repeat",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, false})) return false;
             const std::size_t times = Count(a[1].Real());
             if (!a[0].Text().empty() && times > kMaxStringLength / a[0].Text().size())
                 return c.Fail(messages::kStringTooLong);
             std::string text;
             text.reserve(a[0].Text().size() * times);
             for (std::size_t i = 0; i < times; ++i) text += a[0].Text();
             r = Value(std::move(text));
             return true;
         }},
        {"string_count",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, true})) return false;
             const std::string& what = a[0].Text();
             double count = 0;
             if (!what.empty())
                 for (std::size_t at = a[1].Text().find(what); at != std::string::npos;
                      at = a[1].Text().find(what, at + what.size()))
                     ++count;
             r = Value(count);
             return true;
         }},
        {"string_format",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {false, false, false})) return false;
             const int total = static_cast<int>(std::clamp(std::nearbyint(a[1].Real()), 0.0, 1000.0));
             const int decimals = static_cast<int>(std::clamp(std::nearbyint(a[2].Real()), 0.0, 100.0));
             char buffer[1500];
             std::snprintf(buffer, sizeof buffer, "%*.*f", total, decimals, a[0].Real());
             r = Value(std::string(buffer));
             return true;
         }},
        {"string_copy",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, false, false})) return false;
             const std::string& text = a[0].Text();
             r = Value(text.substr(Position(a[1].Real(), text.size()), Count(a[2].Real())));
             return true;
         }},
        {"string_delete",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, false, false})) return false;
             std::string text = a[0].Text();
             text.erase(Position(a[1].Real(), text.size()), Count(a[2].Real()));
             r = Value(std::move(text));
             return true;
         }},
        {"string_insert",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, true, false})) return false;
             std::string text = a[1].Text();
             text.insert(Position(a[2].Real(), text.size()), a[0].Text());
             return StringResult(c, std::move(text), r);
         }},
        {"string_replace",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, true, true})) return false;
             return StringResult(c, Replace(a[0].Text(), a[1].Text(), a[2].Text(), false), r);
         }},
        {"string_replace_all",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true, true, true})) return false;
             return StringResult(c, Replace(a[0].Text(), a[1].Text(), a[2].Text(), true), r);
         }},
        // Code by value and messages.
        {"script_execute",
         [](BuiltinContext& c, Args a, int n, Value& r) {
             if (n < 1 || a[0].IsString()) return WrongTypes(c);
             return c.CallScript(a[0].Real(), a + 1, n - 1, r);
         }},
        {"execute_string",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             return c.ExecuteString(a[0].Text(), r);
         }},
        {"execute_file",
         [](BuiltinContext& c, Args a, int, Value& r) {
             if (!CheckTypes(c, a, {true})) return false;
             std::string code;
             if (!ReadCodeFile(a[0].Text(), code)) return c.Fail(messages::CannotReadCode(a[0].Text()));
             return c.ExecuteString(code, r);
         }},
        {"show_message",
         [](BuiltinContext& c, Args a, int, Value& r) {
             c.Host().ShowMessage(a[0].IsString() ? a[0].Text() : RealToText(a[0].Real()));
             r = Value(0.0);
             return true;
         }},
        // Variables by name.
        {"variable_global_exists", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, kGlobal, a, 0, r, true); }},
        {"variable_global_get", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, kGlobal, a, 0, r, false); }},
        {"variable_global_array_get", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, kGlobal, a, 1, r, false); }},
        {"variable_global_array2_get", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, kGlobal, a, 2, r, false); }},
        {"variable_global_set", [](BuiltinContext& c, Args a, int, Value& r) { return SetByName(c, kGlobal, a, 0, r); }},
        {"variable_global_array_set", [](BuiltinContext& c, Args a, int, Value& r) { return SetByName(c, kGlobal, a, 1, r); }},
        {"variable_global_array2_set", [](BuiltinContext& c, Args a, int, Value& r) { return SetByName(c, kGlobal, a, 2, r); }},
        {"variable_local_exists", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, c.Self(), a, 0, r, true); }},
        {"variable_local_get", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, c.Self(), a, 0, r, false); }},
        {"variable_local_array_get", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, c.Self(), a, 1, r, false); }},
        {"variable_local_array2_get", [](BuiltinContext& c, Args a, int, Value& r) { return GetByName(c, c.Self(), a, 2, r, false); }},
        {"variable_local_set", [](BuiltinContext& c, Args a, int, Value& r) { return SetByName(c, c.Self(), a, 0, r); }},
        {"variable_local_array_set", [](BuiltinContext& c, Args a, int, Value& r) { return SetByName(c, c.Self(), a, 1, r); }},
        {"variable_local_array2_set", [](BuiltinContext& c, Args a, int, Value& r) { return SetByName(c, c.Self(), a, 2, r); }},
    };
    AddDataStructureFunctions(table);
    return table;
}

const BuiltinTable& Table() {
    static const BuiltinTable table = MakeTable();
    return table;
}

}  // namespace

BuiltinFunction FindBuiltin(std::string_view name) {
    auto found = Table().find(name);
    return found == Table().end() ? nullptr : found->second;
}

bool IsProvidedByInterpreter(std::string_view name) { return FindBuiltin(name) != nullptr; }

std::string RealToText(double value) {
    char buffer[400];
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", value == 0 ? 0.0 : value);
    else
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

}  // namespace kestrin::engine
