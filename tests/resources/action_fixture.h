#pragma once
// Test helpers: installing action definitions in the registry through a real
// library file, and building expected byte sequences of int fields.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "actions/action_definition.h"
#include "actions/action_registry.h"
#include "stream/stream.h"
#include "support/temp_dir.h"

namespace kestrin::test {

// The bytes of a run of int fields (str "" and bool are ints too).
inline std::string Ints(std::initializer_list<std::int32_t> values) {
    CStream stream;
    for (auto value : values) stream.WriteInteger(value);
    return std::string(stream.View());
}

// Replaces the registry's libraries with one library of the given id holding
// the definitions, written to a file and loaded as at start-up.
inline void InstallLibrary(std::int32_t libraryId, const std::vector<CActionDefinition>& definitions) {
    ClearActionLibraries();
    if (definitions.empty()) return;
    CActionLibrary library;
    library.Id = libraryId;
    library.Caption = "test";
    for (const auto& definition : definitions) library.Definitions.push_back(std::make_unique<CActionDefinition>(definition));
    CStream stream;
    library.SaveToStream(stream);
    TempDir dir;
    stream.SaveToFile(dir.File("test.lib"));
    ASSERT_TRUE(LoadActionLibrariesFrom(dir.Path()));
}

// Empties the registry when a test ends.
class WithActionLibrary : public ::testing::Test {
protected:
    void TearDown() override { ClearActionLibraries(); }
};

}  // namespace kestrin::test
