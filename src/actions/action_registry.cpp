// The loader and the process-wide registry of action libraries.

#include "actions/action_registry.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "imaging/bmp_codec.h"
#include "platform/ascii_text.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

struct Registry {
    std::vector<std::unique_ptr<CActionLibrary>> libraries;
    CIconStore icons;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

bool IsLibraryName(const std::string& name) { return name.size() > 4 && LowerFileExt(name) == ".lib"; }

bool TakesIcon(const CActionDefinition& definition) {
    return definition.Kind != kActionKindGap && definition.Kind != kActionKindHidden &&
           definition.Kind != kActionKindLabel;
}

bool ReadLibraryFile(const std::string& path, CActionLibrary& library, std::vector<Image>& pictures) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadRegularFile(path);
    } catch (const std::exception&) {
        return false;
    }
    return ReadActionLibrary(bytes, library, pictures);
}

}  // namespace

bool ReadActionLibrary(const std::vector<std::uint8_t>& bytes, CActionLibrary& library, std::vector<Image>& pictures) {
    try {
        CStream stream;
        stream.Write(bytes.data(), bytes.size());
        stream.SetPosition(0);
        if (!library.LoadFromStream(stream)) return false;
    } catch (const std::exception&) {
        return false;
    }
    // An empty picture means none; any other bytes must make a picture.
    pictures.clear();
    for (const auto& definition : library.Definitions) {
        const std::string& picture = definition->Image;
        Image decoded;
        if (!picture.empty()) {
            decoded = DecodeBmp(reinterpret_cast<const std::uint8_t*>(picture.data()), picture.size());
            if (!decoded) return false;
        }
        pictures.push_back(std::move(decoded));
    }
    return true;
}

std::string ActionLibraryFolder() { return ExecutableFolder() + "lib" + kPathSeparator; }

bool LoadActionLibraries() { return LoadActionLibrariesFrom(ActionLibraryFolder()); }

bool LoadActionLibrariesFrom(const std::string& folder) {
    Registry& registry = TheRegistry();
    if (!FolderExists(folder)) {
        ShowMessage(kNoLibraryFolderMessage);
        return false;
    }
    std::vector<std::string> names;
    for (const auto& entry : ListFolder(folder)) {
        if (entry.isFile && IsLibraryName(entry.name)) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = AsciiLower(a), lb = AsciiLower(b);
        return la != lb ? la < lb : a < b;
    });

    for (const auto& name : names) {
        if (static_cast<int>(registry.libraries.size()) >= kMaxActionLibraries) {
            ShowMessage(kTooManyLibrariesMessage);
            return true;
        }
        auto library = std::make_unique<CActionLibrary>();
        std::vector<Image> pictures;
        if (!ReadLibraryFile(JoinPath(folder, name), *library, pictures)) {
            ShowMessage(std::string(kLibraryLoadErrorMessage) + name);
            return false;
        }
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            CActionDefinition& definition = *library->Definitions[i];
            definition.IconIndex = TakesIcon(definition) && pictures[i] ? registry.icons.Add(*pictures[i]) : -1;
            definition.Image.clear();
            definition.Image.shrink_to_fit();
        }
        registry.libraries.push_back(std::move(library));
    }
    if (registry.libraries.empty()) {
        ShowMessage(kNoLibrariesMessage);
        return false;
    }
    return true;
}

void ClearActionLibraries() {
    TheRegistry().libraries.clear();
    TheRegistry().icons.Clear();
}

int LibraryCount() { return static_cast<int>(TheRegistry().libraries.size()); }

const CActionLibrary* LibraryAt(int index) {
    if (index < 0 || index >= LibraryCount()) return nullptr;
    return TheRegistry().libraries[static_cast<std::size_t>(index)].get();
}

const CActionDefinition* FindActionDefinition(std::int32_t libraryId, std::int32_t actionId) {
    for (const auto& library : TheRegistry().libraries) {
        if (library->Id != libraryId) continue;
        for (const auto& definition : library->Definitions) {
            if (definition->Id == actionId) return definition.get();
        }
    }
    return nullptr;
}

CIconStore& ActionIcons() { return TheRegistry().icons; }

int AddActionIcon(const std::string& bmpBytes) { return TheRegistry().icons.Add(bmpBytes); }

}  // namespace kestrin
