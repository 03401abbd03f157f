#pragma once

#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/Property.h>
#include <Quorvel/FoundationExport.h>

#include <memory>
#include <string>

namespace Quorvel::Core {

/// Reads and writes a Property tree as JSON. An object's members become children named after
/// the members, in the order of their names (Qt's JSON parser reads the text; a name given
/// twice keeps its last value); a string, number or boolean becomes the child's value as text;
/// a nested object becomes nested children; an array becomes children with empty names.
class QUORVEL_FOUNDATION_EXPORT PropertySerializer {
public:
    /// Fills `target` from the JSON object in `input`. With `clearTarget` the target's value
    /// and children are dropped first; otherwise the new children are appended.
    /// Throws std::runtime_error saying what is wrong, with the line and column of a syntax
    /// error, when the text is not a JSON object; `target` is left unchanged then.
    static void Deserialize(Property& target, const std::shared_ptr<DataInputString>& input,
                            bool clearTarget);
    /// Writes the children of `source` as an indented JSON object, in their order; a child with
    /// children is written as a nested object (its own value is not kept then).
    static std::string Serialize(const Property& source);
};

}  // namespace Quorvel::Core
