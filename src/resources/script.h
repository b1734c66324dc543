#pragma once
// CScript: the code text of a script resource; its name lives in the list.

#include <string>

namespace kestrin {

class CStream;

class CScript {
public:
    CScript() = default;

    void Clear() { Code.clear(); }
    void Assign(const CScript* other);

    // False (the code left empty) for a record version other than 400.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    std::string Code;
};

}  // namespace kestrin
