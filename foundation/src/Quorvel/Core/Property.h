#pragma once

#include <Quorvel/FoundationExport.h>

#include <list>
#include <string>

namespace Quorvel::Core {

/// A node of a settings-like tree: a name, a string value and ordered children.
/// Children may share a name; lookups take the first one.
class QUORVEL_FOUNDATION_EXPORT Property {
public:
    explicit Property(std::string name = {}, std::string value = {});

    const std::string& GetName() const;
    const std::string& GetValue() const;
    void SetValue(std::string value);

    const std::list<Property>& GetChildren() const;
    /// Appends a child and returns it; references stay valid while the child exists.
    Property& AddChild(Property child);
    const Property* FindChild(const std::string& name) const;
    Property* FindChild(const std::string& name);
    /// Drops the value and every child; the name stays.
    void Clear();

private:
    std::string m_name;
    std::string m_value;
    std::list<Property> m_children;
};

}  // namespace Quorvel::Core
