#pragma once

#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/Property.h>
#include <Quorvel/FoundationExport.h>

#include <memory>
#include <string>

namespace Quorvel::Core {

// Reads and writes a Property tree as JSON. An object's members become children named after
// the members, in document order; a string, number or boolean becomes the child's value;
// a nested object becomes nested children; an array becomes children with empty names.
class QUORVEL_FOUNDATION_EXPORT PropertySerializer {
public:
    // Fills `target` from the JSON object in `input`. With `clearTarget` the target's value
    // and children are dropped first; otherwise the new children are appended.
    // Throws std::runtime_error saying what is wrong and where when the text is not a
    // JSON object; `target` is left unchanged then.
    static void Deserialize(Property& target, const std::shared_ptr<DataInputString>& input,
                            bool clearTarget);
    // Writes the children of `source` as an indented JSON object; a child with children is
    // written as a nested object (its own value is not kept then).
    static std::string Serialize(const Property& source);
};

}  // namespace Quorvel::Core
