#include <Quorvel/Core/DataInputString.h>

namespace Quorvel::Core {

std::shared_ptr<DataInputString> DataInputString::Create(std::string bytes) {
    return std::make_shared<DataInputString>(std::move(bytes));
}

DataInputString::DataInputString(std::string bytes) : m_bytes(std::move(bytes)) {}

const std::string& DataInputString::GetBytes() const { return m_bytes; }

}  // namespace Quorvel::Core
