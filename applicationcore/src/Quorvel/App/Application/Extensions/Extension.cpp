#include <Quorvel/App/Application/Extensions/Extension.h>

namespace Quorvel::App {

Extension::~Extension() = default;

void Extension::onStart() {}

}  // namespace Quorvel::App
