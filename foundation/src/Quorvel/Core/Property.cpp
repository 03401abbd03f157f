#include <Quorvel/Core/Property.h>

#include <algorithm>

namespace Quorvel::Core {

Property::Property(std::string name, std::string value)
    : m_name(std::move(name)), m_value(std::move(value)) {}

const std::string& Property::GetName() const { return m_name; }
const std::string& Property::GetValue() const { return m_value; }
void Property::SetValue(std::string value) { m_value = std::move(value); }
const std::list<Property>& Property::GetChildren() const { return m_children; }

Property& Property::AddChild(Property child) {
    m_children.push_back(std::move(child));
    return m_children.back();
}

const Property* Property::FindChild(const std::string& name) const {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [&name](const Property& child) { return child.m_name == name; });
    return it == m_children.end() ? nullptr : &*it;
}

Property* Property::FindChild(const std::string& name) {
    return const_cast<Property*>(static_cast<const Property*>(this)->FindChild(name));
}

void Property::Clear() {
    m_value.clear();
    m_children.clear();
}

}  // namespace Quorvel::Core
