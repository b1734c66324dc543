// The default combined lookup and the empty resolver.

#include "language/name_resolver.h"

namespace kestrin {

bool NameResolver::IsResourceName(std::string_view name) const {
    for (ResourceKind kind : kAllResourceKinds)
        if (FindResource(kind, name) >= 0) return true;
    return false;
}

namespace {

class EmptyNames : public NameResolver {
public:
    int FindResource(ResourceKind, std::string_view) const override { return -1; }
    bool IsUserConstant(std::string_view) const override { return false; }
    bool IsResourceName(std::string_view) const override { return false; }
};

}  // namespace

const NameResolver& NoGameNames() {
    static const EmptyNames names;
    return names;
}

}  // namespace kestrin
