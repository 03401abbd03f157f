#pragma once

#include <Quorvel/FoundationExport.h>

#include <list>
#include <string>

namespace Quorvel::Core {

/// A node of a settings-like tree: a name, a string value and ordered children.
/// Children may share a name; lookups take the first one.
class QUORVEL_FOUNDATION_EXPORT Property {
public:
    /// A node without children.
    explicit Property(std::string name = {}, std::string value = {});

    /// The node's name.
    const std::string& GetName() const;
    /// The node's own value; empty when it has none.
    /// @{
    const std::string& GetValue() const;
    void SetValue(std::string value);
    /// @}

    /// The children, in order.
    const std::list<Property>& GetChildren() const;
    /// Appends a child and returns it; references stay valid while the child exists.
    Property& AddChild(Property child);
    /// The first child named `name`, or null.
    /// @{
    const Property* FindChild(const std::string& name) const;
    Property* FindChild(const std::string& name);
    /// @}
    /// Drops the value and every child; the name stays.
    void Clear();

private:
    std::string m_name;
    std::string m_value;
    std::list<Property> m_children;
};

}  // namespace Quorvel::Core
